#include "import/ReadInput.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <vector>

#include "core/FileIo.h"
#include "core/VxloError.h"
#include "import/ImportBatch.h"
#include "import/SgfImport.h"

namespace vxlo {

namespace {

constexpr unsigned char kCR = 0x0D;
constexpr unsigned char kLF = 0x0A;
constexpr unsigned char kEndOfFile = 0x1A;

// The reader works byte by byte, so a line of any length costs no memory:
// a move token only needs its first three characters and its length.
// OnMove(x, y) takes each move on the board and returns false to stop.
template <class OnMove>
class TIg1Parser {
public:
    explicit TIg1Parser(OnMove onMove) : onMove_(std::move(onMove)) {}

    // False once the import has stopped.
    bool Feed(unsigned char c) {
        if (c == kCR || c == kLF) {
            EndLine();
            // CR LF, LF and a lone CR each end one line.
            if (c == kCR || !afterCR_) ++line_;
            afterCR_ = c == kCR;
        } else if (state_ == State::Header) {
            if (headerLength_ < 3) {
                header_[static_cast<std::size_t>(headerLength_++)] = c;
                if (headerLength_ == 3 && header_[0] == 'M' && header_[1] == 'O' && header_[2] == 'V') {
                    state_ = State::MarkerRest;
                }
            }
        } else if (state_ == State::Moves) {
            if (c == ' ') {
                EndToken();
            } else {
                // Characters after the third only make the token longer.
                if (tokenLength_ < 3) token_[static_cast<std::size_t>(tokenLength_++)] = c;
            }
        }
        if (c != kCR && c != kLF) afterCR_ = false;
        return state_ != State::Stopped;
    }

    // The data ended without a line end: its last line still counts.
    void Finish() { EndLine(); }

    // The line being read, from 1.
    int Line() const { return line_; }

private:
    enum class State { Header, MarkerRest, Moves, LineRest, Stopped };

    void EndLine() {
        if (state_ == State::Moves) EndToken();
        switch (state_) {
        case State::Header: headerLength_ = 0; break;
        case State::MarkerRest:
        case State::LineRest: state_ = State::Moves; break;
        case State::Moves:
        case State::Stopped: break;
        }
        tokenLength_ = 0;
    }

    void EndToken() {
        const int length = tokenLength_;
        tokenLength_ = 0;
        if (length < 3) return;
        int column = token_[0] - 64;
        if (column > 9) --column;  // the lettering skips I
        const int row = StrToInt(std::string{static_cast<char>(token_[1]), static_cast<char>(token_[2])});
        if (column < 1 || column > kBoardSize || row < 1 || row > kBoardSize) {
            state_ = State::LineRest;
            return;
        }
        if (!onMove_(column, row)) state_ = State::Stopped;
    }

    OnMove onMove_;
    State state_ = State::Header;
    std::array<unsigned char, 3> header_{};
    int headerLength_ = 0;
    std::array<unsigned char, 3> token_{};
    int tokenLength_ = 0;
    int line_ = 1;
    bool afterCR_ = false;
};

// Feeds the file to the parser up to its end, an end-of-file byte or a stop;
// a row that is no number is raised naming the file and line.
template <class OnMove>
void ParseIg1File(const std::string& fileName, OnMove onMove) {
    TIg1Parser<OnMove> parser(std::move(onMove));
    // Regular files only: a FIFO given a record's name cannot hang the import.
    const TFileDescriptor file = OpenRegularFile(fileName, EOpenMode::ReadOnly);
    std::vector<std::uint8_t> buffer(65536);
    try {
        for (;;) {
            const std::size_t got = ReadSome(file, buffer, fileName);
            if (got == 0) break;
            for (std::size_t i = 0; i < got; ++i) {
                if (buffer[i] == kEndOfFile) {
                    parser.Finish();
                    return;
                }
                if (!parser.Feed(buffer[i])) return;
            }
        }
        parser.Finish();
    } catch (const EConvertError& error) {
        // The same error, but saying where: a walk of thousands of files ends here.
        throw EConvertError(error.Text(), fileName, parser.Line());
    }
}

}  // namespace

bool EnterGameMove(TNavigation& nav, int x, int y) {
    const TMoveEntry entry = nav.EnterMove(x, y, EEntryStep::Follow, ERefusalMessages::Show);
    // A move on a stone is passed over as it always was; any other move not
    // entered (a full candidate list) would put every later move of the game
    // at the wrong position.
    return entry.Entered() || entry.outcome == EEntryOutcome::OnStone;
}

std::vector<TPoint> ReadIg1Moves(const std::string& fileName) {
    std::vector<TPoint> moves;
    ParseIg1File(fileName, [&moves](int x, int y) {
        moves.push_back({x, y});
        return static_cast<int>(moves.size()) < kMaxPathMoves;
    });
    return moves;
}

bool HasIg1Extension(const std::string& fileName) {
    std::string tail = fileName.substr(fileName.size() - std::min<std::size_t>(3, fileName.size()));
    for (char& c : tail) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return tail == "IG1";
}

bool IsGameRecord(const std::string& fileName) { return HasIg1Extension(fileName) || HasSgfExtension(fileName); }

int ReadInput(TNavigation& nav, const std::string& fileName, int moveLimit, IProgress* progress) {
    if (!nav.FileOpen()) throw EVxloError(kOpenFirstText);
    // SGF is read whole before anything changes, so it resets on its own.
    if (HasSgfExtension(fileName)) return ImportSgfGames(nav, fileName, moveLimit, progress).movesEntered;
    TOneMoveScope oneMove(nav);
    nav.ResetToRoot();
    if (!HasIg1Extension(fileName)) return 0;

    // Beyond the path's 400 moves a move could be added but not followed.
    const int limit = std::min(moveLimit, kMaxPathMoves);
    int entered = 0;
    TImportBatch batch(nav);
    ParseIg1File(fileName, [&](int x, int y) { return EnterGameMove(nav, x, y) && ++entered < limit; });
    batch.Commit();
    return entered;
}

}  // namespace vxlo
