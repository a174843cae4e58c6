#include "core/VxloError.h"

#include <cerrno>
#include <climits>

#include "core/Text.h"

namespace vxlo {

EConvertError::EConvertError(const std::string& text)
    : EVxloError(TMessage(QT_TRANSLATE_NOOP("vxlo", "'%1' は整数ではありません")).Arg(PrintableText(text))),
      text_(text) {}

EConvertError::EConvertError(const std::string& text, const std::string& fileName, int line)
    : EVxloError(TMessage(QT_TRANSLATE_NOOP("vxlo", "'%1' は整数ではありません（%2 行目）"))
                     .Arg(PrintableText(text))
                     .Arg(line)),
      text_(text),
      fileName_(fileName),
      line_(line) {}

std::string PrintableText(const std::string& bytes) {
    static const char* digits = "0123456789ABCDEF";
    std::string out;
    for (std::size_t p = 0; p < bytes.size();) {
        const unsigned char c = static_cast<unsigned char>(bytes[p]);
        const std::size_t n = Utf8SequenceAt(bytes, p);
        if (n == 0 || c < 0x20 || c == 0x7F) {
            out += "\\x";
            out += digits[c >> 4];
            out += digits[c & 15];
        } else {
            out.append(bytes, p, n);
            p += n;
            continue;
        }
        ++p;
    }
    return out;
}

EInOutError::EInOutError(int errorNumber, const std::string& fileName)
    : EInOutError(TextFor(errorNumber), errorNumber, fileName) {}

EInOutError::EInOutError(TMessage text, int errorNumber, const std::string& fileName)
    : EVxloError(std::move(text)), errno_(errorNumber), fileName_(fileName) {}

EInOutError EInOutError::ReadPastEnd(const std::string& fileName) {
    return EInOutError(kReadPastEnd, fileName);
}

TMessage EInOutError::TextFor(int errorNumber) {
    switch (errorNumber) {
    case ENOENT:
    case ENOTDIR:
        return QT_TRANSLATE_NOOP("vxlo", "ファイルが見つかりません");
    case ENAMETOOLONG:
    case EINVAL:
    case EISDIR:
    case EILSEQ:
        return QT_TRANSLATE_NOOP("vxlo", "不正なファイル名です");
    case EMFILE:
    case ENFILE:
        return QT_TRANSLATE_NOOP("vxlo", "オープンしたファイルが多すぎます");
    case EACCES:
    case EPERM:
    case EROFS:
    case ETXTBSY:
        return QT_TRANSLATE_NOOP("vxlo", "ファイルへのアクセスが拒否されました");
    case kReadPastEnd:
        return QT_TRANSLATE_NOOP("vxlo", "ファイルの末尾以降を読み込みました");
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return QT_TRANSLATE_NOOP("vxlo", "ディスクがいっぱいです");
    default:
        return TMessage(QT_TRANSLATE_NOOP("vxlo", "I/O エラー (%1)")).Arg(errorNumber);
    }
}

TMessage WithReason(TMessage failure, const std::string& reason) {
    return TMessage(QT_TRANSLATE_NOOP("vxlo", "%1（%2）")).Arg(std::move(failure)).Arg(reason);
}

int StrToInt(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i >= text.size()) throw EConvertError(text);
    long long value = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c < '0' || c > '9') throw EConvertError(text);
        value = value * 10 + (c - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) throw EConvertError(text);
    }
    if (negative) value = -value;
    if (value < INT_MIN || value > INT_MAX) throw EConvertError(text);
    return static_cast<int>(value);
}

std::string ErrorDisplayText(const std::string& message) {
    if (message.empty()) return message;
    // Every byte of a multi-byte UTF-8 character is above 0x7F, so the last
    // byte decides for the last character too.
    const unsigned char last = static_cast<unsigned char>(message.back());
    if (last > '.') return message + ".";
    return message;
}

std::string ErrorDisplayText(const std::exception& error, const ITranslator* translator) {
    const auto* own = dynamic_cast<const EVxloError*>(&error);
    std::string text = ErrorDisplayText(own ? own->Message().Text(translator) : std::string(error.what()));
    const std::string* file = nullptr;
    if (auto* io = dynamic_cast<const EInOutError*>(&error)) file = &io->FileName();
    if (auto* refused = dynamic_cast<const EFileRefused*>(&error)) file = &refused->FileName();
    if (auto* convert = dynamic_cast<const EConvertError*>(&error)) file = &convert->FileName();
    if (file && !file->empty()) text += "\n" + *file;
    return text;
}

}  // namespace vxlo
