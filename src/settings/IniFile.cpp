#include "settings/IniFile.h"

#include <cstdint>
#include <optional>
#include <vector>

#include "core/FileIo.h"
#include "core/Text.h"
#include "core/VxloError.h"

namespace vxlo {

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";
// Far beyond any settings file; a larger one is not ours to rewrite.
constexpr std::size_t kMaxSettingsBytes = 16u << 20;

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

// One line of the file: its bytes as found, and its text for matching.
struct TLine {
    std::string raw;
    std::string text;
};

struct TContent {
    std::vector<TLine> lines;
    bool crlf = false;  // a file from Windows keeps its line ends
    bool bom = false;
};

std::string TextOf(const std::string& raw) {
    if (IsValidUtf8(raw)) return raw;
    std::string decoded = DecodeShiftJis(raw);
    return decoded.empty() ? raw : decoded;
}

// The whole file; nothing when it is missing. Other failures are file
// errors, so that a write never replaces a file it could not read.
std::string ReadAll(const std::string& path) {
    return ReadWholeFileIfExists(path, kMaxSettingsBytes, QT_TRANSLATE_NOOP("vxlo", "設定ファイルが大きすぎます")).value_or("");
}

TContent Parse(std::string all) {
    TContent content;
    if (all.starts_with(kBom)) {
        content.bom = true;
        all.erase(0, kBom.size());
    }
    std::size_t start = 0;
    bool firstEnd = true;
    while (start < all.size()) {
        std::size_t end = all.find('\n', start);
        const bool last = end == std::string::npos;
        if (last) end = all.size();
        std::string raw = all.substr(start, end - start);
        if (!raw.empty() && raw.back() == '\r') {
            raw.pop_back();
            if (firstEnd) content.crlf = true;
        }
        if (!last) firstEnd = false;
        TLine line{raw, TextOf(raw)};
        content.lines.push_back(std::move(line));
        start = end + 1;
    }
    return content;
}

// For reading, a file that cannot be read gives the defaults.
TContent LoadForReading(const std::string& path) {
    try {
        return Parse(ReadAll(path));
    } catch (const EInOutError&) {
        return {};
    }
}

// "[name]" -> name; nothing for other lines.
std::optional<std::string_view> SectionName(std::string_view text) {
    text = Trim(text);
    if (!text.starts_with('[')) return std::nullopt;
    const std::size_t close = text.find(']');
    if (close == std::string_view::npos) return std::nullopt;
    return Trim(text.substr(1, close - 1));
}

bool IsKeyLine(std::string_view text, std::string_view key, std::string_view* value) {
    const std::string_view trimmed = Trim(text);
    if (trimmed.starts_with(';')) return false;
    const std::size_t eq = trimmed.find('=');
    if (eq == std::string_view::npos) return false;
    if (!EqualsIgnoringAsciiCase(Trim(trimmed.substr(0, eq)), key)) return false;
    if (value) *value = Trim(trimmed.substr(eq + 1));
    return true;
}

// Index of the first header line of the section, or -1.
int FindSection(const TContent& content, std::string_view section) {
    for (std::size_t i = 0; i < content.lines.size(); ++i) {
        const auto name = SectionName(content.lines[i].text);
        if (name && EqualsIgnoringAsciiCase(*name, section)) return static_cast<int>(i);
    }
    return -1;
}

std::optional<std::string> Lookup(const TContent& content, std::string_view section,
                                  std::string_view key) {
    const int header = FindSection(content, section);
    if (header < 0) return std::nullopt;
    for (std::size_t i = header + 1; i < content.lines.size(); ++i) {
        const std::string& text = content.lines[i].text;
        if (SectionName(text)) break;
        std::string_view value;
        if (IsKeyLine(text, key, &value)) {
            // The profile API drops one pair of enclosing quotes.
            if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
                value = value.substr(1, value.size() - 2);
            return std::string(value);
        }
    }
    return std::nullopt;
}

void Store(const std::string& path, const TContent& content) {
    std::string bytes;
    if (content.bom) bytes += kBom;
    const char* eol = content.crlf ? "\r\n" : "\n";
    for (const TLine& line : content.lines) {
        bytes += line.raw;
        bytes += eol;
    }

    // The old settings stay whole until the new ones are complete.
    ReplaceFileAtomically(path, bytes);
}

// Hexadecimal after "0x" as the profile readers of Windows programs take it:
// up to 32 bits, the sign bit included.
std::optional<int> ParseHex(std::string_view digits) {
    if (digits.empty() || digits.size() > 8) return std::nullopt;
    std::uint32_t value = 0;
    for (const char c : digits) {
        int d = -1;
        if (c >= '0' && c <= '9') d = c - '0';
        if (c >= 'a' && c <= 'f') d = c - 'a' + 10;
        if (c >= 'A' && c <= 'F') d = c - 'A' + 10;
        if (d < 0) return std::nullopt;
        value = value * 16 + static_cast<std::uint32_t>(d);
    }
    return static_cast<int>(value);
}

// Sets key in content, keeping every other line as it was.
void SetKey(TContent& content, std::string_view section, std::string_view key,
            std::string_view value) {
    // A line break in a value would start a new line of the file.
    std::string clean(value);
    for (char& c : clean)
        if (c == '\r' || c == '\n') c = ' ';
    const std::string line = std::string(key) + "=" + clean;

    const int header = FindSection(content, section);
    if (header < 0) {
        const std::string head = "[" + std::string(section) + "]";
        content.lines.push_back({head, head});
        content.lines.push_back({line, line});
        return;
    }
    std::size_t insertAt = static_cast<std::size_t>(header) + 1;
    for (std::size_t i = header + 1; i < content.lines.size(); ++i) {
        const std::string& text = content.lines[i].text;
        if (SectionName(text)) break;
        if (IsKeyLine(text, key, nullptr)) {
            content.lines[i] = {line, line};
            return;
        }
        if (!Trim(text).empty()) insertAt = i + 1;
    }
    content.lines.insert(content.lines.begin() + static_cast<std::ptrdiff_t>(insertAt),
                         TLine{line, line});
}

}  // namespace

struct TIniFile::TPending {
    TContent content;
    bool changed = false;
};

TIniFile::TIniFile(std::string path) : path_(std::move(path)) {}
TIniFile::TIniFile(TIniFile&&) noexcept = default;
TIniFile& TIniFile::operator=(TIniFile&&) noexcept = default;
TIniFile::~TIniFile() = default;

TIniFile TIniFile::Deferred(std::string path) {
    TIniFile ini(std::move(path));
    ini.pending_ = std::make_unique<TPending>();
    ini.pending_->content = Parse(ReadAll(ini.path_));
    return ini;
}

void TIniFile::Commit() {
    if (!pending_ || !pending_->changed) return;
    Store(path_, pending_->content);
    pending_->changed = false;
}

std::string TIniFile::ReadString(std::string_view section, std::string_view key,
                                 std::string_view defaultValue) const {
    const auto value = pending_ ? Lookup(pending_->content, section, key)
                                : Lookup(LoadForReading(path_), section, key);
    return value ? *value : std::string(defaultValue);
}

int TIniFile::ReadInteger(std::string_view section, std::string_view key,
                          int defaultValue) const {
    const std::string text(Trim(ReadString(section, key, "")));
    if (text.empty()) return defaultValue;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
        return ParseHex(std::string_view(text).substr(2)).value_or(defaultValue);
    try {
        return StrToInt(text);
    } catch (const EConvertError&) {
        return defaultValue;
    }
}

void TIniFile::WriteInteger(std::string_view section, std::string_view key, int value) {
    WriteString(section, key, std::to_string(value));
}

void TIniFile::WriteString(std::string_view section, std::string_view key,
                           std::string_view value) {
    if (pending_) {
        SetKey(pending_->content, section, key, value);
        pending_->changed = true;
        return;
    }
    TContent content = Parse(ReadAll(path_));
    SetKey(content, section, key, value);
    Store(path_, content);
}

}  // namespace vxlo
