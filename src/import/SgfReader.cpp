#include "import/SgfReader.h"

#include <cerrno>
#include <fcntl.h>
#include <iconv.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <memory>

namespace vxlo {

ESgfError::ESgfError(const std::string& reason, const std::string& fileName, std::int64_t offset)
    : EFileRefused("SGF の形式が正しくありません（" + std::to_string(offset + 1) + " バイト目）: " +
                       reason,
                   fileName),
      reason_(reason),
      offset_(offset) {}

const TSgfProperty* TSgfNode::Find(std::string_view name) const {
    for (const TSgfProperty& p : Properties) {
        if (p.Name == name) return &p;
    }
    return nullptr;
}

const std::string* TSgfNode::Value(std::string_view name) const {
    const TSgfProperty* p = Find(name);
    return p && !p->Values.empty() ? &p->Values.front() : nullptr;
}

int TSgfCollection::GameRoot(int game) const {
    if (game < 0 || game >= GameCount()) throw ERangeError();
    return games_[static_cast<std::size_t>(game)];
}

const TSgfNode& TSgfCollection::Node(int index) const {
    if (index < 0 || index >= NodeCount()) throw ERangeError();
    return nodes_[static_cast<std::size_t>(index)];
}

namespace {

constexpr std::size_t kMaxFileBytes = 64u << 20;
constexpr std::size_t kMaxNesting = 100000;

// How a character set lays out its characters in bytes, as far as the SGF
// syntax cares: in Shift_JIS, GBK and Big5 the second byte of a character can
// be "\" or "]", so the reader must step over whole characters.
enum class EByteRule { Single, ShiftJis, HighLead };

int CharWidth(EByteRule rule, unsigned char c) {
    switch (rule) {
    case EByteRule::ShiftJis:
        return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC) ? 2 : 1;
    case EByteRule::HighLead:
        return c >= 0x81 && c <= 0xFE ? 2 : 1;
    case EByteRule::Single:
        break;
    }
    return 1;
}

// Length of the valid UTF-8 sequence at p, 0 when the bytes there are not one.
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

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

// Invalid bytes become U+FFFD: a comment keeps what can be read of it.
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

std::string UpperTrimmed(std::string_view s) {
    std::string out;
    for (char c : s) {
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') continue;
        out += c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    }
    return out;
}

// Labels seen in CA properties, mapped to the iconv name that reads them best:
// the Windows supersets, since that is what the files really hold.
std::string NormaliseCharset(std::string_view label) {
    const std::string u = UpperTrimmed(label);
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

EByteRule RuleFor(const std::string& charset) {
    if (charset == "CP932") return EByteRule::ShiftJis;
    if (charset == "GB18030" || charset == "BIG5" || charset == "BIG5-HKSCS" ||
        charset == "CP949" || charset == "UHC")
        return EByteRule::HighLead;
    return EByteRule::Single;
}

struct TIconvCloser {
    void operator()(void* cd) const { iconv_close(static_cast<iconv_t>(cd)); }
};
using TIconv = std::unique_ptr<void, TIconvCloser>;

TIconv OpenConverter(const std::string& charset) {
    iconv_t cd = iconv_open("UTF-8", charset.c_str());
    if (cd == reinterpret_cast<iconv_t>(-1)) return nullptr;
    return TIconv(cd);
}

std::string Convert(void* handle, const std::string& in) {
    const auto cd = static_cast<iconv_t>(handle);
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    std::string out;
    std::string buffer(in.size() * 4 + 16, '\0');
    char* inPtr = const_cast<char*>(in.data());
    std::size_t inLeft = in.size();
    while (inLeft > 0) {
        char* outPtr = buffer.data();
        std::size_t outLeft = buffer.size();
        const std::size_t done = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
        out.append(buffer.data(), buffer.size() - outLeft);
        if (done != static_cast<std::size_t>(-1)) break;
        if (errno == E2BIG) continue;
        // A byte that does not belong to the charset, or a character cut off
        // at the end of the value.
        out += kReplacement;
        ++inPtr;
        --inLeft;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    return out;
}

bool IsSpace(unsigned char c) { return c <= ' '; }
bool IsLetter(unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

}  // namespace

class TSgfParser {
public:
    TSgfParser(std::string_view bytes, const std::string& fileName, EByteRule rule)
        : bytes_(bytes), rule_(rule) {
        result_.fileName_ = fileName;
    }

    TSgfCollection Run() {
        while (FindGameStart()) ReadGameTree();
        return std::move(result_);
    }

private:
    struct TFrame {
        int attach;            // node the variation continues, −1 for a game root
        std::int64_t opened;   // position of its "("
    };
    enum class EToken { Open, Close, Node, Property };

    [[noreturn]] void Fail(const std::string& reason, std::size_t at) const {
        throw ESgfError(reason, result_.fileName_, static_cast<std::int64_t>(at));
    }

    unsigned char At(std::size_t p) const { return static_cast<unsigned char>(bytes_[p]); }

    void SkipSpace() {
        while (pos_ < bytes_.size() && IsSpace(At(pos_))) ++pos_;
    }

    // Outside the games everything but a "(" that starts a game is text:
    // a "(" counts when ";", "(" or a property follows it.
    bool FindGameStart() {
        for (; pos_ < bytes_.size(); ++pos_) {
            if (bytes_[pos_] != '(') continue;
            std::size_t q = pos_ + 1;
            while (q < bytes_.size() && IsSpace(At(q))) ++q;
            if (q >= bytes_.size()) return false;
            if (bytes_[q] == ';' || bytes_[q] == '(') return true;
            if (!IsLetter(At(q))) continue;
            while (q < bytes_.size() && IsLetter(At(q))) ++q;
            while (q < bytes_.size() && IsSpace(At(q))) ++q;
            if (q < bytes_.size() && bytes_[q] == '[') return true;
        }
        return false;
    }

    int NewNode(int parent, std::size_t at) {
        auto& nodes = result_.nodes_;
        const int index = static_cast<int>(nodes.size());
        TSgfNode node;
        node.Parent = parent;
        node.Offset = static_cast<std::int64_t>(at);
        nodes.push_back(std::move(node));
        if (parent < 0) {
            result_.games_.push_back(index);
        } else {
            TSgfNode& p = nodes[static_cast<std::size_t>(parent)];
            if (p.LastChild < 0) {
                p.FirstChild = index;
            } else {
                nodes[static_cast<std::size_t>(p.LastChild)].NextSibling = index;
            }
            p.LastChild = index;
        }
        return index;
    }

    void ReadGameTree() {
        std::vector<TFrame> stack;
        stack.push_back({-1, static_cast<std::int64_t>(pos_)});
        ++pos_;
        int current = -1;
        EToken last = EToken::Open;
        while (!stack.empty()) {
            SkipSpace();
            if (pos_ >= bytes_.size()) {
                Fail("')' がありません", static_cast<std::size_t>(stack.back().opened));
            }
            const unsigned char c = At(pos_);
            if (c == '(') {
                if (stack.size() >= kMaxNesting) Fail("変化の入れ子が深すぎます", pos_);
                stack.push_back({current, static_cast<std::int64_t>(pos_)});
                ++pos_;
                last = EToken::Open;
            } else if (c == ')') {
                current = stack.back().attach;
                stack.pop_back();
                ++pos_;
                last = EToken::Close;
            } else if (c == ';') {
                current = NewNode(current, pos_);
                ++pos_;
                last = EToken::Node;
            } else if (IsLetter(c)) {
                if (last == EToken::Close) Fail("変化の後にプロパティがあります", pos_);
                // Old writers leave out the ";" after "(".
                if (last == EToken::Open) current = NewNode(current, pos_);
                ReadProperty(current);
                last = EToken::Property;
            } else {
                Fail(std::string("予期しない文字があります"), pos_);
            }
        }
    }

    void ReadProperty(int node) {
        const std::size_t start = pos_;
        std::string ident, name;
        while (pos_ < bytes_.size() && IsLetter(At(pos_))) {
            const char c = bytes_[pos_++];
            ident += c;
            if (c >= 'A' && c <= 'Z') name += c;
        }
        // FF[3] long names keep their capitals ("AddBlack" is AB); a name of
        // small letters only stands for itself.
        if (name.empty()) name = UpperTrimmed(ident);
        SkipSpace();
        if (pos_ >= bytes_.size() || bytes_[pos_] != '[') {
            Fail("プロパティ " + ident + " に値がありません", start);
        }
        std::vector<std::string> values;
        while (true) {
            SkipSpace();
            if (pos_ >= bytes_.size() || bytes_[pos_] != '[') break;
            values.push_back(ReadValue());
        }
        auto& props = result_.nodes_[static_cast<std::size_t>(node)].Properties;
        for (TSgfProperty& p : props) {
            if (p.Name == name) {
                // A repeated property adds its values (some writers split lists).
                for (std::string& v : values) p.Values.push_back(std::move(v));
                return;
            }
        }
        props.push_back({std::move(name), std::move(values)});
    }

    std::string ReadValue() {
        const std::size_t open = pos_++;
        std::string value;
        while (true) {
            if (pos_ >= bytes_.size()) Fail("値を閉じる ']' がありません", open);
            const unsigned char c = At(pos_);
            if (c == ']') {
                ++pos_;
                return value;
            }
            if (c == '\\') {
                ++pos_;
                if (pos_ >= bytes_.size()) Fail("値を閉じる ']' がありません", open);
                const unsigned char e = At(pos_);
                if (e == '\n' || e == '\r') {
                    // Soft line break: the backslash and the line end vanish.
                    ++pos_;
                    if (pos_ < bytes_.size() && (At(pos_) == '\n' || At(pos_) == '\r') && At(pos_) != e) {
                        ++pos_;
                    }
                    continue;
                }
                AppendChar(value);
                continue;
            }
            AppendChar(value);
        }
    }

    void AppendChar(std::string& value) {
        const std::size_t width =
            std::min<std::size_t>(static_cast<std::size_t>(CharWidth(rule_, At(pos_))), bytes_.size() - pos_);
        value.append(bytes_.substr(pos_, width));
        pos_ += width;
    }

    std::string_view bytes_;
    EByteRule rule_;
    std::size_t pos_ = 0;
    TSgfCollection result_;
};

TSgfCollection ParseSgf(std::string_view bytes, const std::string& fileName) {
    // Without CA: UTF-8 when the bytes are valid UTF-8, else Shift_JIS (the
    // Japanese servers' files).
    std::string charset = IsValidUtf8(bytes) ? "UTF-8" : "CP932";
    TSgfCollection games = TSgfParser(bytes, fileName, RuleFor(charset)).Run();
    if (games.GameCount() == 0) throw ESgfError("棋譜がありません", fileName, 0);

    TIconv converter;
    if (const std::string* ca = games.Node(games.GameRoot(0)).Value("CA")) {
        const std::string declared = NormaliseCharset(*ca);
        // An unknown charset name is ignored: the bytes still tell.
        if (declared == "UTF-8" || (converter = OpenConverter(declared))) {
            if (RuleFor(declared) != RuleFor(charset)) {
                games = TSgfParser(bytes, fileName, RuleFor(declared)).Run();
            }
            charset = declared;
        }
    }
    if (charset != "UTF-8" && !converter) converter = OpenConverter(charset);
    if (charset != "UTF-8" && !converter) throw ESgfError("文字コード " + charset + " を読めません", fileName, 0);

    TSgfCollection result = std::move(games);
    result.charset_ = charset;
    for (TSgfNode& node : result.nodes_) {
        for (TSgfProperty& p : node.Properties) {
            for (std::string& v : p.Values) {
                if (converter) {
                    v = Convert(converter.get(), v);
                } else if (!IsValidUtf8(v)) {
                    v = SanitiseUtf8(v);
                }
            }
        }
    }
    return result;
}

TSgfCollection ReadSgfFile(const std::string& path) {
    // Non-blocking, and regular files only: a FIFO of that name cannot hang us.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) throw EInOutError(errno, path);
    struct TFd {
        int fd;
        ~TFd() { ::close(fd); }
    } guard{fd};
    struct stat st {};
    if (::fstat(fd, &st) != 0) throw EInOutError(errno, path);
    if (S_ISDIR(st.st_mode)) throw EInOutError(EISDIR, path);
    if (!S_ISREG(st.st_mode)) throw EInOutError(EINVAL, path);
    if (static_cast<std::uint64_t>(st.st_size) > kMaxFileBytes) {
        throw EFileRefused("SGF ファイルが大きすぎます（64 MB まで）", path);
    }
    std::string bytes;
    char buffer[65536];
    while (true) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR) continue;
            throw EInOutError(errno, path);
        }
        if (got == 0) break;
        bytes.append(buffer, static_cast<std::size_t>(got));
        if (bytes.size() > kMaxFileBytes) throw EFileRefused("SGF ファイルが大きすぎます（64 MB まで）", path);
    }
    return ParseSgf(bytes, path);
}

TSgfMove SgfMoveOf(const TSgfNode& node) {
    TSgfMove move;
    for (const TSgfProperty& p : node.Properties) {
        if (p.Name != "B" && p.Name != "W") continue;
        move.color = p.Name == "B" ? Black : White;
        const std::string value = p.Values.empty() ? std::string() : p.Values.front();
        if (value.empty() || value == "tt") {
            move.kind = TSgfMove::Kind::Pass;
        } else if (DecodeSgfPoint(value, move.point)) {
            move.kind = TSgfMove::Kind::Point;
        } else {
            move.kind = TSgfMove::Kind::Invalid;
        }
        return move;
    }
    return move;
}

bool DecodeSgfPoint(std::string_view value, TPoint& point) {
    if (value.size() != 2) return false;
    const auto coord = [](char c) { return c >= 'a' && c <= 's' ? c - 'a' + 1 : 0; };
    const int x = coord(value[0]);
    const int y = coord(value[1]);
    if (x == 0 || y == 0) return false;
    point = {x, y};
    return true;
}

std::string EncodeSgfPoint(TPoint point) {
    if (point.x < 1 || point.x > kBoardSize || point.y < 1 || point.y > kBoardSize) throw ERangeError();
    return {static_cast<char>('a' + point.x - 1), static_cast<char>('a' + point.y - 1)};
}

bool ExpandSgfPoints(const std::vector<std::string>& values, std::vector<TPoint>& points) {
    for (const std::string& v : values) {
        TPoint a, b;
        if (v.size() == 2 && DecodeSgfPoint(v, a)) {
            points.push_back(a);
            continue;
        }
        if (v.size() != 5 || v[2] != ':' || !DecodeSgfPoint(v.substr(0, 2), a) ||
            !DecodeSgfPoint(v.substr(3, 2), b))
            return false;
        for (int x = std::min(a.x, b.x); x <= std::max(a.x, b.x); ++x) {
            for (int y = std::min(a.y, b.y); y <= std::max(a.y, b.y); ++y) points.push_back({x, y});
        }
    }
    return true;
}

bool HasSgfSetup(const TSgfNode& node) { return node.Has("AB") || node.Has("AW") || node.Has("AE"); }

int SgfBoardSize(const TSgfNode& root) {
    const std::string* sz = root.Value("SZ");
    if (!sz) return kBoardSize;
    const std::string text = UpperTrimmed(*sz);
    const auto number = [](std::string_view s) {
        if (s.empty() || s.size() > 3) return 0;
        int n = 0;
        for (char c : s) {
            if (c < '0' || c > '9') return 0;
            n = n * 10 + (c - '0');
        }
        return n;
    };
    const std::size_t colon = text.find(':');
    if (colon == std::string::npos) return number(text);
    const int columns = number(std::string_view(text).substr(0, colon));
    const int rows = number(std::string_view(text).substr(colon + 1));
    return columns == rows ? columns : 0;
}

std::string EscapeSgfText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c == ']' || c == '\\') out += '\\';
        out += c;
    }
    return out;
}

}  // namespace vxlo
