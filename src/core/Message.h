#pragma once
// A text the user reads, kept as its Japanese template and its arguments so
// that the window and the tool can show it in the user's language. The core
// never translates: it builds messages; the layer that shows them renders
// them with the translator of the user's language.
#include <string>
#include <vector>

// Marks a Japanese template for the translation catalogue (lupdate collects
// every QT_TRANSLATE_NOOP("vxlo", ...)); the core needs no Qt to use it.
// Spelled as Qt spells it, so that a Qt header included after this one
// redefines it without a warning.
#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(scope, x) x
#endif

namespace vxlo {

// The catalogue of one language. The core sees only this.
class ITranslator {
public:
    virtual ~ITranslator() = default;
    // The template in the user's language; the source itself when the
    // catalogue has none.
    virtual std::string Translate(const std::string& source) const = 0;
};

class TMessage {
public:
    TMessage() = default;
    // A template marked with QT_TRANSLATE_NOOP("vxlo", ...): a fixed text, or
    // one with %1 … %9 that the arguments fill in order of number.
    TMessage(const char* source) : text_(source) {}  // NOLINT: constants pass where messages go
    // A text shown as it stands in every language: a file name, a number,
    // the user's own text, a message from SQLite.
    static TMessage Literal(std::string text);

    TMessage& Arg(const std::string& text) { return Arg(Literal(text)); }
    TMessage& Arg(const char* text) { return Arg(Literal(text)); }
    TMessage& Arg(long long number) { return Arg(Literal(std::to_string(number))); }
    TMessage& Arg(int number) { return Arg(static_cast<long long>(number)); }
    TMessage& Arg(std::size_t number) { return Arg(Literal(std::to_string(number))); }
    TMessage& Arg(TMessage message);
    // Another message shown right after this one (each part translated on
    // its own, so optional parts of a summary need no template each).
    TMessage& Then(TMessage next);

    bool Empty() const { return text_.empty() && args_.empty() && then_.empty(); }
    // The text in the translator's language; the Japanese text without one.
    std::string Text(const ITranslator* translator = nullptr) const;

private:
    // The pattern with %1 … %9 replaced by the arguments.
    std::string Fill(const std::string& pattern, const ITranslator* translator) const;

    std::string text_;
    bool translatable_ = true;
    std::vector<TMessage> args_;
    std::vector<TMessage> then_;
};

}  // namespace vxlo
