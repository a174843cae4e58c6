#include "import/SgfReader.h"

#include <algorithm>
#include <optional>

#include "core/FileIo.h"
#include "core/Text.h"

namespace vxlo {

ESgfError::ESgfError(const TMessage& reason, const std::string& fileName, std::int64_t offset)
    : EFileRefused(TMessage(QT_TRANSLATE_NOOP("vxlo", "SGF の形式が正しくありません（%1 バイト目）: %2"))
                       .Arg(static_cast<long long>(offset + 1))
                       .Arg(reason),
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

EByteRule RuleFor(const std::string& charset) {
    if (charset == "CP932") return EByteRule::ShiftJis;
    if (charset == "GB18030" || charset == "BIG5" || charset == "BIG5-HKSCS" ||
        charset == "CP949" || charset == "UHC")
        return EByteRule::HighLead;
    return EByteRule::Single;
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

    [[noreturn]] void Fail(const TMessage& reason, std::size_t at) const {
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
                Fail(QT_TRANSLATE_NOOP("vxlo", "')' がありません"), static_cast<std::size_t>(stack.back().opened));
            }
            const unsigned char c = At(pos_);
            if (c == '(') {
                if (stack.size() >= kMaxNesting) Fail(QT_TRANSLATE_NOOP("vxlo", "変化の入れ子が深すぎます"), pos_);
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
                if (last == EToken::Close) Fail(QT_TRANSLATE_NOOP("vxlo", "変化の後にプロパティがあります"), pos_);
                // Old writers leave out the ";" after "(".
                if (last == EToken::Open) current = NewNode(current, pos_);
                ReadProperty(current);
                last = EToken::Property;
            } else {
                Fail(QT_TRANSLATE_NOOP("vxlo", "予期しない文字があります"), pos_);
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
        if (name.empty()) name = UpperWithoutBlanks(ident);
        SkipSpace();
        if (pos_ >= bytes_.size() || bytes_[pos_] != '[') {
            Fail(TMessage(QT_TRANSLATE_NOOP("vxlo", "プロパティ %1 に値がありません")).Arg(ident), start);
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
            if (pos_ >= bytes_.size()) Fail(QT_TRANSLATE_NOOP("vxlo", "値を閉じる ']' がありません"), open);
            const unsigned char c = At(pos_);
            if (c == ']') {
                ++pos_;
                return value;
            }
            if (c == '\\') {
                ++pos_;
                if (pos_ >= bytes_.size()) Fail(QT_TRANSLATE_NOOP("vxlo", "値を閉じる ']' がありません"), open);
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

namespace {

// Two readings of the same bytes agree when every node, link, property and
// raw value is the same: then every value ended at the same byte.
bool SameReading(const TSgfCollection& a, const TSgfCollection& b) {
    if (a.GameCount() != b.GameCount() || a.NodeCount() != b.NodeCount()) return false;
    for (int g = 0; g < a.GameCount(); ++g) {
        if (a.GameRoot(g) != b.GameRoot(g)) return false;
    }
    for (int i = 0; i < a.NodeCount(); ++i) {
        const TSgfNode& x = a.Node(i);
        const TSgfNode& y = b.Node(i);
        if (x.Parent != y.Parent || x.FirstChild != y.FirstChild || x.NextSibling != y.NextSibling ||
            x.Properties.size() != y.Properties.size())
            return false;
        for (std::size_t k = 0; k < x.Properties.size(); ++k) {
            if (x.Properties[k].Name != y.Properties[k].Name || x.Properties[k].Values != y.Properties[k].Values)
                return false;
        }
    }
    return true;
}

}  // namespace

TSgfCollection ParseSgf(std::string_view bytes, const std::string& fileName) {
    // Without CA: UTF-8 when the bytes are valid UTF-8, else Shift_JIS (the
    // Japanese servers' files).
    const bool utf8 = IsValidUtf8(bytes);
    std::string charset = utf8 ? "UTF-8" : "CP932";
    // Bytes that are not UTF-8 are also read as plain ASCII: where the
    // Shift_JIS reading ends a value elsewhere (a Latin-1 "é" before "]"),
    // the guess is wrong, and the ASCII structure is the one that holds.
    std::optional<TSgfCollection> ascii;
    std::optional<TSgfCollection> guessed;
    try {
        guessed = TSgfParser(bytes, fileName, RuleFor(charset)).Run();
    } catch (const ESgfError&) {
        if (utf8) throw;
        try {
            ascii = TSgfParser(bytes, fileName, EByteRule::Single).Run();
        } catch (const ESgfError&) {
        }
        if (!ascii) throw;
    }
    TSgfCollection games = guessed ? std::move(*guessed) : *ascii;
    if (games.GameCount() == 0) throw ESgfError(QT_TRANSLATE_NOOP("vxlo", "棋譜がありません"), fileName, 0);

    std::optional<TCharsetDecoder> converter;
    bool declaredCharset = false;
    if (const std::string* ca = games.Node(games.GameRoot(0)).Value("CA")) {
        const std::string declared = CanonicalCharsetName(*ca);
        if (declared != "UTF-8") converter = TCharsetDecoder::Open(declared);
        // An unknown charset name is ignored: the bytes still tell.
        if (declared == "UTF-8" || converter) {
            declaredCharset = true;
            if (RuleFor(declared) != RuleFor(charset) || !guessed) {
                games = TSgfParser(bytes, fileName, RuleFor(declared)).Run();
            }
            charset = declared;
        }
    }
    // Moves decide against a guess: the text may come out wrong, never the game.
    bool asciiStructure = false;
    if (!declaredCharset && !utf8) {
        if (!ascii) {
            try {
                ascii = TSgfParser(bytes, fileName, EByteRule::Single).Run();
            } catch (const ESgfError&) {
            }
        }
        if (ascii && (!guessed || !SameReading(games, *ascii))) {
            games = std::move(*ascii);
            asciiStructure = true;
        }
        games.textGuessed_ = true;
    }
    if (charset != "UTF-8" && !converter) converter = TCharsetDecoder::Open(charset);
    if (charset != "UTF-8" && !converter) {
        throw ESgfError(TMessage(QT_TRANSLATE_NOOP("vxlo", "文字コード %1 を読めません")).Arg(charset), fileName, 0);
    }
    // In the ASCII structure each value is Shift_JIS when it reads as that
    // whole, else Latin-1, which reads every byte.
    std::optional<TCharsetDecoder> latin1;
    if (asciiStructure) latin1 = TCharsetDecoder::Open("ISO-8859-1");

    TSgfCollection result = std::move(games);
    result.charset_ = charset;
    for (TSgfNode& node : result.nodes_) {
        for (TSgfProperty& p : node.Properties) {
            for (std::string& v : p.Values) {
                if (latin1) {
                    std::optional<std::string> text = converter->DecodeStrict(v);
                    v = text ? std::move(*text) : latin1->Decode(v);
                } else if (converter) {
                    v = converter->Decode(v);
                } else if (!IsValidUtf8(v)) {
                    v = SanitiseUtf8(v);
                }
            }
        }
    }
    return result;
}

TSgfCollection ReadSgfFile(const std::string& path) {
    return ParseSgf(ReadWholeFile(path, kMaxSgfFileBytes, kSgfTooLargeText), path);
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
    const std::string text = UpperWithoutBlanks(*sz);
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
    // What is written is declared UTF-8, whatever bytes a store held.
    for (char c : SanitiseUtf8(text)) {
        if (c == ']' || c == '\\') out += '\\';
        out += c;
    }
    return out;
}

}  // namespace vxlo
