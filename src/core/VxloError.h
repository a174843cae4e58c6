#pragma once
// Errors that nobody checks for carry the text the user sees; one top-level
// handler (window or command line) shows it.
#include <stdexcept>
#include <string>

#include "core/Message.h"

namespace vxlo {

class EVxloError : public std::runtime_error {
public:
    // A template marked for translation.
    explicit EVxloError(const char* source) : EVxloError(TMessage(source)) {}
    // A text built at run time, shown as it stands in every language.
    explicit EVxloError(const std::string& text) : EVxloError(TMessage::Literal(text)) {}
    explicit EVxloError(TMessage message)
        : std::runtime_error(message.Text()), message_(std::move(message)) {}
    // what() is this message in Japanese.
    const TMessage& Message() const { return message_; }
private:
    TMessage message_;
};

// An index outside the bounds of one of the core's arrays.
class ERangeError : public EVxloError {
public:
    ERangeError() : EVxloError(QT_TRANSLATE_NOOP("vxlo", "範囲チェックエラー")) {}
};

// A text that should hold an integer and does not.
// The text is shown with every byte that cannot be printed escaped.
class EConvertError : public EVxloError {
public:
    explicit EConvertError(const std::string& text);
    // The same error found at a line of a file, which the message names.
    EConvertError(const std::string& text, const std::string& fileName, int line);
    const std::string& Text() const { return text_; }
    const std::string& FileName() const { return fileName_; }
    int Line() const { return line_; }
private:
    std::string text_;
    std::string fileName_;
    int line_ = 0;
};

// Text as it can be shown: control characters and bytes that are not UTF-8
// as \xHH; printable text stays as it is.
std::string PrintableText(const std::string& bytes);

// A failed file operation. The message is the system's fixed text for the
// cause; FileName() names the file so the handler can show it too.
class EInOutError : public EVxloError {
public:
    EInOutError(int errorNumber, const std::string& fileName);
    // Reading a record at or past the end of the file.
    static EInOutError ReadPastEnd(const std::string& fileName);
    int ErrorNumber() const { return errno_; }
    const std::string& FileName() const { return fileName_; }
    static TMessage TextFor(int errorNumber);
    static constexpr int kReadPastEnd = -38;   // not an errno value
private:
    EInOutError(TMessage text, int errorNumber, const std::string& fileName);
    int errno_;
    std::string fileName_;
};

// Any other failure that names a file (a damaged store, a locked dictionary).
class EFileRefused : public EVxloError {
public:
    EFileRefused(const char* source, const std::string& fileName)
        : EVxloError(source), fileName_(fileName) {}
    EFileRefused(const std::string& text, const std::string& fileName)
        : EVxloError(text), fileName_(fileName) {}
    EFileRefused(TMessage message, const std::string& fileName)
        : EVxloError(std::move(message)), fileName_(fileName) {}
    const std::string& FileName() const { return fileName_; }
private:
    std::string fileName_;
};

// A failure followed by its cause in brackets: the stores give SQLite's
// reason this way, shown as it stands in every language.
TMessage WithReason(TMessage failure, const std::string& reason);

// Delphi-style StrToInt: optional leading blanks and sign, decimal digits,
// a value that fits 32 bits. Anything else raises EConvertError.
int StrToInt(const std::string& text);

// The text the top-level handler shows for an error message: a "." is
// appended when the last character sorts after ".".
std::string ErrorDisplayText(const std::string& message);

// The whole text for an exception caught at the top: message plus the file
// it names, if any, in the translator's language (Japanese without one).
std::string ErrorDisplayText(const std::exception& error, const ITranslator* translator = nullptr);

}  // namespace vxlo
