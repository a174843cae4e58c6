#pragma once
// Message boxes of the program. The window shows them through IUserMessages,
// so tests record them instead of blocking on a modal box.
#include <QString>
#include <exception>
#include <string>
#include <utility>
#include <vector>

#include "navigation/Navigation.h"

class QWidget;

namespace vxlo {

class IUserMessages {
public:
    virtual ~IUserMessages() = default;
    // A refusal the user caused: plain box with an OK button.
    virtual void Information(const QString& text) = 0;
    // An error that ended a command: box with the error icon.
    virtual void Error(const QString& text) = 0;
};

// Modal QMessageBox on the given window.
class TMessageBoxes final : public IUserMessages {
public:
    explicit TMessageBoxes(QWidget* parent = nullptr) : parent_(parent) {}
    void SetParent(QWidget* parent) { parent_ = parent; }
    void Information(const QString& text) override;
    void Error(const QString& text) override;
private:
    QWidget* parent_;
};

// Keeps every message in order; for tests and for running without a screen.
class TRecordedMessages final : public IUserMessages {
public:
    struct TEntry {
        bool error;
        QString text;
    };
    void Information(const QString& text) override { entries.push_back({false, text}); }
    void Error(const QString& text) override { entries.push_back({true, text}); }
    std::vector<TEntry> entries;
};

// The navigation's refusals as message boxes, in the user's language.
class TMessageSinkAdapter final : public IMessageSink {
public:
    explicit TMessageSinkAdapter(IUserMessages& messages) : messages_(messages) {}
    void ShowMessage(const TMessage& message) override;
private:
    IUserMessages& messages_;
};

// The top-level handler: the error's text (ErrorDisplayText) in an error box,
// in the user's language.
void ShowError(IUserMessages& messages, const std::exception& error);
void ShowUnknownError(IUserMessages& messages);

// Runs one command. An error escaping it is shown, the command ends there and
// the program goes on; false then.
template <class Command>
bool RunGuarded(IUserMessages& messages, Command&& command) {
    try {
        std::forward<Command>(command)();
        return true;
    } catch (const std::exception& error) {
        ShowError(messages, error);
    } catch (...) {
        ShowUnknownError(messages);
    }
    return false;
}

}  // namespace vxlo
