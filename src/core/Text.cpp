#include "core/Text.h"

#include <iconv.h>

#include <cerrno>

namespace vxlo {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

iconv_t Handle(void* cd) { return static_cast<iconv_t>(cd); }

}  // namespace

std::string UpperWithoutBlanks(std::string_view s) {
    std::string out;
    for (char c : s) {
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') continue;
        out += c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    }
    return out;
}

std::size_t Utf8SequenceAt(std::string_view s, std::size_t p) {
    const auto b = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char c = b(p);
    if (c < 0x80) return 1;
    std::size_t n = 0;
    unsigned char lo = 0x80, hi = 0xBF;
    if (c >= 0xC2 && c <= 0xDF) {
        n = 2;
    } else if (c >= 0xE0 && c <= 0xEF) {
        n = 3;
        if (c == 0xE0) lo = 0xA0;
        if (c == 0xED) hi = 0x9F;  // no surrogates
    } else if (c >= 0xF0 && c <= 0xF4) {
        n = 4;
        if (c == 0xF0) lo = 0x90;
        if (c == 0xF4) hi = 0x8F;
    } else {
        return 0;
    }
    if (p + n > s.size()) return 0;
    if (b(p + 1) < lo || b(p + 1) > hi) return 0;
    for (std::size_t i = 2; i < n; ++i) {
        if (b(p + i) < 0x80 || b(p + i) > 0xBF) return 0;
    }
    return n;
}

bool IsValidUtf8(std::string_view s) {
    for (std::size_t p = 0; p < s.size();) {
        const std::size_t n = Utf8SequenceAt(s, p);
        if (n == 0) return false;
        p += n;
    }
    return true;
}

std::string SanitiseUtf8(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (std::size_t p = 0; p < s.size();) {
        const std::size_t n = Utf8SequenceAt(s, p);
        if (n == 0) {
            out += kReplacement;
            ++p;
        } else {
            out.append(s.substr(p, n));
            p += n;
        }
    }
    return out;
}

std::string CanonicalCharsetName(std::string_view label) {
    const std::string u = UpperWithoutBlanks(label);
    if (u == "UTF8" || u == "UTF-8") return "UTF-8";
    if (u == "SJIS" || u == "SHIFT_JIS" || u == "SHIFT-JIS" || u == "SHIFTJIS" || u == "X-SJIS" ||
        u == "MS_KANJI" || u == "CP932" || u == "MS932" || u == "WINDOWS-31J")
        return "CP932";
    if (u == "GB2312" || u == "GBK" || u == "CP936" || u == "EUC-CN" || u == "GB18030" ||
        u == "X-GBK")
        return "GB18030";
    if (u == "BIG5" || u == "BIG-5" || u == "CP950") return "BIG5";
    if (u == "LATIN1" || u == "ISO8859-1") return "ISO-8859-1";
    return u;
}

void TCharsetDecoder::TCloser::operator()(void* cd) const { ::iconv_close(Handle(cd)); }

std::optional<TCharsetDecoder> TCharsetDecoder::Open(const std::string& charset) {
    iconv_t cd = ::iconv_open("UTF-8", charset.c_str());
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    return TCharsetDecoder(charset, cd);
}

std::string TCharsetDecoder::Decode(std::string_view in) const {
    const iconv_t cd = Handle(cd_.get());
    ::iconv(cd, nullptr, nullptr, nullptr, nullptr);
    std::string out;
    std::string buffer(in.size() * 4 + 16, '\0');
    char* inPtr = const_cast<char*>(in.data());
    std::size_t inLeft = in.size();
    while (inLeft > 0) {
        char* outPtr = buffer.data();
        std::size_t outLeft = buffer.size();
        const std::size_t done = ::iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
        out.append(buffer.data(), buffer.size() - outLeft);
        if (done != static_cast<std::size_t>(-1)) break;
        if (errno == E2BIG) continue;
        // A byte that does not belong to the charset, or a character cut off
        // at the end of the text.
        out += kReplacement;
        ++inPtr;
        --inLeft;
        ::iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    return out;
}

std::optional<std::string> TCharsetDecoder::DecodeStrict(std::string_view in) const {
    const iconv_t cd = Handle(cd_.get());
    ::iconv(cd, nullptr, nullptr, nullptr, nullptr);
    std::string out(in.size() * 4 + 16, '\0');
    char* inPtr = const_cast<char*>(in.data());
    std::size_t inLeft = in.size();
    char* outPtr = out.data();
    std::size_t outLeft = out.size();
    const std::size_t rc = ::iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    if (rc == static_cast<std::size_t>(-1) || inLeft != 0) return std::nullopt;
    out.resize(out.size() - outLeft);
    return out;
}

std::string DecodeShiftJis(std::string_view bytes) {
    for (const char* charset : {"CP932", "SHIFT_JIS"}) {
        if (const auto decoder = TCharsetDecoder::Open(charset)) {
            if (auto text = decoder->DecodeStrict(bytes)) return std::move(*text);
        }
    }
    return {};
}

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto lower = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; };
        if (lower(static_cast<unsigned char>(a[i])) != lower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

}  // namespace vxlo
