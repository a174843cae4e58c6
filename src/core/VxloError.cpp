#include "core/VxloError.h"

#include <cerrno>
#include <climits>

namespace vxlo {

EConvertError::EConvertError(const std::string& text)
    : EVxloError("'" + text + "' は整数ではありません"), text_(text) {}

EInOutError::EInOutError(int errorNumber, const std::string& fileName)
    : EInOutError(TextFor(errorNumber), errorNumber, fileName) {}

EInOutError::EInOutError(const std::string& text, int errorNumber, const std::string& fileName)
    : EVxloError(text), errno_(errorNumber), fileName_(fileName) {}

EInOutError EInOutError::ReadPastEnd(const std::string& fileName) {
    return EInOutError(kReadPastEnd, fileName);
}

std::string EInOutError::TextFor(int errorNumber) {
    switch (errorNumber) {
    case ENOENT:
    case ENOTDIR:
        return "ファイルが見つかりません";
    case ENAMETOOLONG:
    case EINVAL:
    case EISDIR:
    case EILSEQ:
        return "不正なファイル名です";
    case EMFILE:
    case ENFILE:
        return "オープンしたファイルが多すぎます";
    case EACCES:
    case EPERM:
    case EROFS:
    case ETXTBSY:
        return "ファイルへのアクセスが拒否されました";
    case kReadPastEnd:
        return "ファイルの末尾以降を読み込みました";
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return "ディスクがいっぱいです";
    default:
        return "I/O エラー (" + std::to_string(errorNumber) + ")";
    }
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

std::string ErrorDisplayText(const std::exception& error) {
    std::string text = ErrorDisplayText(std::string(error.what()));
    const std::string* file = nullptr;
    if (auto* io = dynamic_cast<const EInOutError*>(&error)) file = &io->FileName();
    if (auto* refused = dynamic_cast<const EFileRefused*>(&error)) file = &refused->FileName();
    if (file && !file->empty()) text += "\n" + *file;
    return text;
}

}  // namespace vxlo
