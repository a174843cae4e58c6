#include "import/SgfImport.h"

#include <algorithm>
#include <cctype>

#include "import/ImportBatch.h"
#include "import/ReadInput.h"
#include "import/SgfReader.h"

namespace vxlo {

namespace {

// True when the main line below node n goes on with a move on the board,
// before any other pass or setup.
bool MoveFollows(const TSgfCollection& sgf, int n) {
    for (int c = sgf.Node(n).FirstChild; c >= 0; c = sgf.Node(c).FirstChild) {
        const TSgfNode& node = sgf.Node(c);
        if (HasSgfSetup(node)) return false;
        const TSgfMove move = SgfMoveOf(node);
        if (move.kind == TSgfMove::Kind::None) continue;
        return move.kind == TSgfMove::Kind::Point;
    }
    return false;
}

int ImportMainLine(TNavigation& nav, const TSgfCollection& sgf, int root, int moveLimit) {
    int entered = 0;
    for (int n = root; n >= 0; n = sgf.Node(n).FirstChild) {
        const TSgfNode& node = sgf.Node(n);
        // Stones set up later in the game: the record no longer follows
        // from its moves.
        if (n != root && HasSgfSetup(node)) break;
        const TSgfMove move = SgfMoveOf(node);
        if (move.kind == TSgfMove::Kind::None) continue;
        if (move.kind == TSgfMove::Kind::Invalid) break;  // a point off the board
        TPoint p = move.point;
        if (move.kind == TSgfMove::Kind::Pass) {
            // Tenuki when the game goes on with a move; two passes in a row,
            // or a pass at the end, end it.
            if (!MoveFollows(sgf, n)) break;
            p = kTenuki;
        }
        if (!EnterGameMove(nav, p.x, p.y)) break;
        // Counted after the move, as for IG1: a limit below 1 still enters one.
        if (++entered >= moveLimit) break;
    }
    return entered;
}

}  // namespace

bool HasSgfExtension(const std::string& fileName) {
    if (fileName.size() < 4) return false;
    std::string tail = fileName.substr(fileName.size() - 4);
    for (char& c : tail) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return tail == ".SGF";
}

TSgfImportResult ImportSgfGames(TNavigation& nav, const std::string& file, int moveLimit, IProgress* progress) {
    if (!nav.FileOpen()) throw EVxloError(kOpenFirstText);
    const TSgfCollection sgf = ReadSgfFile(file);
    TOneMoveScope oneMove(nav);
    nav.ResetToRoot();
    const int limit = std::min(moveLimit, kMaxPathMoves);

    TSgfImportResult result;
    result.games = sgf.GameCount();
    TImportBatch batch(nav);
    for (int g = 0; g < sgf.GameCount(); ++g) {
        if (StopAsked(progress, g, sgf.GameCount(), file)) {
            result.cancelled = true;
            break;
        }
        const int root = sgf.GameRoot(g);
        if (SgfBoardSize(sgf.Node(root)) != kBoardSize) {
            ++result.skippedSize;
            continue;
        }
        if (HasSgfSetup(sgf.Node(root))) {
            ++result.skippedSetup;
            continue;
        }
        if (nav.Path().Count() > 0) nav.ResetToRoot();
        result.movesEntered += ImportMainLine(nav, sgf, root, limit);
        ++result.gamesImported;
    }
    batch.Commit();
    return result;
}

void ReadSgfGames(TNavigation& nav, const std::string& file, int moveLimit) {
    ImportSgfGames(nav, file, moveLimit);
}

}  // namespace vxlo
