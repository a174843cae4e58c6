#pragma once
// The one text layer: UTF-8 checks and the decoding of other character sets
// (Shift-JIS from Windows, the charsets SGF files declare in CA) through
// iconv. Everything the program keeps or shows is UTF-8.
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace vxlo {

// Length of the well-formed UTF-8 sequence at pos (no overlong forms, no
// surrogates, nothing past U+10FFFF), 0 when the bytes there are not one.
// pos must be inside text.
std::size_t Utf8SequenceAt(std::string_view text, std::size_t pos);
bool IsValidUtf8(std::string_view text);
// Equal but for the case of the ASCII letters (as INI keys and sections match).
bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b);
// Every byte that is not part of a well-formed sequence becomes U+FFFD.
std::string SanitiseUtf8(std::string_view text);

// ASCII letters upper-cased, blanks and line ends dropped: how labels and
// property names written in any style are compared.
std::string UpperWithoutBlanks(std::string_view text);

// The iconv name for a charset label as files write it ("SJIS", "utf8",
// "GB2312", ...): the Windows supersets, since that is what such files hold.
// An unknown label comes back upper-cased without blanks.
std::string CanonicalCharsetName(std::string_view label);

// Conversion from one charset to UTF-8. Holds its iconv descriptor.
class TCharsetDecoder {
public:
    // Nothing when iconv does not know the charset.
    static std::optional<TCharsetDecoder> Open(const std::string& charset);
    const std::string& Charset() const { return charset_; }

    // Every byte that does not decode (or a character cut off at the end)
    // becomes U+FFFD; the rest of the text is kept.
    std::string Decode(std::string_view bytes) const;
    // Nothing unless every byte decodes.
    std::optional<std::string> DecodeStrict(std::string_view bytes) const;

private:
    struct TCloser {
        void operator()(void* cd) const;
    };
    TCharsetDecoder(std::string charset, void* cd) : charset_(std::move(charset)), cd_(cd) {}
    std::string charset_;
    std::unique_ptr<void, TCloser> cd_;
};

// Text from Windows in code page 932 as UTF-8; empty when it does not decode.
std::string DecodeShiftJis(std::string_view bytes);

}  // namespace vxlo
