#pragma once
// Reading SGF game records (FF[1]..FF[4]) as they come from servers, editors
// and old archives. The reader is tolerant of the usual sloppiness (text around
// the games, missing ";" after "(", empty variations, long FF[3] property
// names) and strict about real damage, which it reports with the byte position.
// The tree is held flat and walked with explicit stacks: no nesting depth can
// overflow the call stack.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "board/Goban.h"
#include "core/VxloError.h"

namespace vxlo {

// Malformed SGF text. Offset() is the 0-based byte position in the file.
class ESgfError : public EFileRefused {
public:
    ESgfError(const TMessage& reason, const std::string& fileName, std::int64_t offset);
    std::int64_t Offset() const { return offset_; }
    const TMessage& Reason() const { return reason_; }
private:
    TMessage reason_;
    std::int64_t offset_;
};

struct TSgfProperty {
    std::string Name;                 // upper-case letters only ("AddBlack" reads as "AB")
    std::vector<std::string> Values;  // escapes resolved, converted to UTF-8
};

struct TSgfNode {
    std::vector<TSgfProperty> Properties;
    int Parent = -1;
    int FirstChild = -1;   // the main line continues here
    int NextSibling = -1;  // the next variation at the same place
    int LastChild = -1;
    std::int64_t Offset = 0;  // byte position of the node's ";"

    const TSgfProperty* Find(std::string_view name) const;
    bool Has(std::string_view name) const { return Find(name) != nullptr; }
    // The first value of the property, nullptr when the node lacks it.
    const std::string* Value(std::string_view name) const;
};

class TSgfCollection {
public:
    const std::string& FileName() const { return fileName_; }
    // The character set the text was read in ("UTF-8", "CP932", ...).
    const std::string& Charset() const { return charset_; }
    // No CA and not UTF-8: the character set of the text was guessed. The
    // structure and the moves are those an ASCII reader finds in any case.
    bool TextGuessed() const { return textGuessed_; }
    int GameCount() const { return static_cast<int>(games_.size()); }
    int GameRoot(int game) const;
    int NodeCount() const { return static_cast<int>(nodes_.size()); }
    const TSgfNode& Node(int index) const;

private:
    friend class TSgfParser;
    friend TSgfCollection ParseSgf(std::string_view bytes, const std::string& fileName);
    std::string fileName_;
    std::string charset_;
    bool textGuessed_ = false;
    std::vector<TSgfNode> nodes_;
    std::vector<int> games_;
};

// Parses SGF bytes; fileName only names the source in errors.
TSgfCollection ParseSgf(std::string_view bytes, const std::string& fileName);
// The largest SGF file read.
inline constexpr std::size_t kMaxSgfFileBytes = 64u << 20;
inline constexpr const char* kSgfTooLargeText = QT_TRANSLATE_NOOP("vxlo", "SGF ファイルが大きすぎます（64 MB まで）");
// Reads and parses a file (file errors as EInOutError).
TSgfCollection ReadSgfFile(const std::string& path);

// What a node's B or W property asks for.
struct TSgfMove {
    enum class Kind { None, Pass, Point, Invalid };
    Kind kind = Kind::None;
    int color = 0;  // Black or White as written; None: 0
    TPoint point;   // Point only
};
TSgfMove SgfMoveOf(const TSgfNode& node);

// "pd" -> (16, 4): column a..s from the left, row a..s from the top.
bool DecodeSgfPoint(std::string_view value, TPoint& point);
std::string EncodeSgfPoint(TPoint point);
// Setup values with compressed lists ("aa:cc" is the rectangle from a1 to
// c3); false when a value is no point or rectangle of the 19x19 board.
bool ExpandSgfPoints(const std::vector<std::string>& values, std::vector<TPoint>& points);

// AB, AW or AE present.
bool HasSgfSetup(const TSgfNode& node);
// The board size named by SZ (19 when absent); 0 when SZ is not understood
// or the board is not square.
int SgfBoardSize(const TSgfNode& root);

// Text as it must stand inside [...] of a UTF-8 file: "]" and "\" escaped,
// bytes that are not UTF-8 replaced by U+FFFD.
std::string EscapeSgfText(std::string_view text);

}  // namespace vxlo
