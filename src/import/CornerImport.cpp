#include "import/CornerImport.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <filesystem>
#include <memory>
#include <sstream>

#include "core/VxloError.h"
#include "import/ImportBatch.h"
#include "import/ReadInput.h"
#include "import/SgfImport.h"
#include "import/SgfReader.h"

namespace vxlo {

namespace fs = std::filesystem;

namespace {

// Counts gather in memory for this many games and then go to the file in one
// transaction: few disk syncs, flat memory, and a kill loses one batch at most.
constexpr int kGamesPerFlush = 2000;
constexpr const char* kCountsNotStoredText = QT_TRANSLATE_NOOP(
    "vxlo", "%1。最後にまとめた対局数は保存されませんでした（取り込んだ手は定石ファイルに残っています）");

constexpr const char* kBatchText = QT_TRANSLATE_NOOP("vxlo", "対局数を保存できません");

// "B+R", "W+3.5": the winner's colour; anything else (draw, void, "?") unknown.
int WinnerOf(const std::string* result) {
    if (result == nullptr || result->size() < 2 || (*result)[1] != '+') return Empty;
    const char who = static_cast<char>(std::toupper(static_cast<unsigned char>((*result)[0])));
    return who == 'B' ? Black : who == 'W' ? White : Empty;
}

// The first run of four digits of DT ("1998-05-02", "1998,1999", "平成10年" has none).
int YearOf(const std::string* date) {
    if (date == nullptr) return 0;
    int run = 0;
    int value = 0;
    for (const char c : *date) {
        if (std::isdigit(static_cast<unsigned char>(c))) {
            value = value * 10 + (c - '0');
            if (++run == 4) return value;
        } else {
            run = 0;
            value = 0;
        }
    }
    return 0;
}

std::string ValueOr(const TSgfNode& node, std::string_view name) {
    const std::string* value = node.Value(name);
    return value ? *value : std::string();
}

std::string Absolute(const std::string& file) {
    std::error_code ec;
    const fs::path path = fs::absolute(file, ec);
    return ec ? file : path.lexically_normal().string();
}

EStarterResult ResultFor(int starter, int winner) {
    if (winner == Empty) return EStarterResult::Unknown;
    return winner == starter ? EStarterResult::Won : EStarterResult::Lost;
}

}  // namespace

std::string CornerSummaryText(const TCornerImportSummary& s) {
    std::ostringstream text;
    text << "games " << s.gamesRead << " (skipped: " << s.skippedSetup << " setup, " << s.skippedSize
         << " size), sequences " << s.sequences << ", moves added " << s.movesAdded << ", cut "
         << s.sequencesCut;
    if (s.sequencesCut > 0) text << " (full " << s.cutFull << ", illegal " << s.cutIllegal << ")";
    text << ", duplicates " << s.duplicates;
    return text.str();
}

TMessage CornerSummaryMessage(const TCornerImportSummary& summary) {
    TMessage text = TMessage::Literal(CornerSummaryText(summary));
    return summary.cancelled ? CancelledSummary(std::move(text)) : text;
}

std::uint64_t MainLineHash(const std::vector<TGameMove>& moves) {
    // FNV-1a over colour and point, then a final mix: 64 bits make two
    // different lines of a collection of millions meet by chance never.
    std::uint64_t hash = 14695981039346656037ull;
    const auto add = [&hash](int byte) {
        hash ^= static_cast<std::uint64_t>(byte & 0xff);
        hash *= 1099511628211ull;
    };
    for (const TGameMove& m : moves) {
        add(m.color);
        add(m.x);
        add(m.y);
    }
    add(static_cast<int>(moves.size()));
    add(static_cast<int>(moves.size() >> 8));
    hash ^= hash >> 33;
    hash *= 0xff51afd7ed558ccdull;
    hash ^= hash >> 33;
    return hash;
}

std::vector<TCornerGame> ReadSgfCornerGames(const std::string& file, TCornerImportSummary& summary) {
    const TSgfCollection sgf = ReadSgfFile(file);
    const std::string absolute = Absolute(file);
    std::vector<TCornerGame> games;
    for (int g = 0; g < sgf.GameCount(); ++g) {
        ++summary.gamesRead;
        const int root = sgf.GameRoot(g);
        const TSgfNode& rootNode = sgf.Node(root);
        if (SgfBoardSize(rootNode) != kBoardSize) {
            ++summary.skippedSize;
            continue;
        }
        TCornerGame game;
        game.winner = WinnerOf(rootNode.Value("RE"));
        game.year = YearOf(rootNode.Value("DT"));
        game.text = {absolute, g, ValueOr(rootNode, "PB"), ValueOr(rootNode, "PW"), ValueOr(rootNode, "BR"),
                     ValueOr(rootNode, "WR"), ValueOr(rootNode, "DT"), ValueOr(rootNode, "EV"),
                     ValueOr(rootNode, "RE")};
        bool setup = false;
        for (int n = root; n >= 0 && !setup; n = sgf.Node(n).FirstChild) {
            const TSgfNode& node = sgf.Node(n);
            setup = HasSgfSetup(node);
            const TSgfMove move = SgfMoveOf(node);
            if (move.kind == TSgfMove::Kind::Point)
                game.moves.push_back({move.color, move.point.x, move.point.y});
            else if (move.kind == TSgfMove::Kind::Pass)
                game.moves.push_back({move.color, 0, 0});
            else if (move.kind == TSgfMove::Kind::Invalid)
                break;  // a point off the board: the record ends there
        }
        if (setup) {
            ++summary.skippedSetup;
            continue;
        }
        games.push_back(std::move(game));
    }
    return games;
}

std::vector<TCornerGame> ReadCornerGames(const std::string& file, TCornerImportSummary& summary) {
    if (HasSgfExtension(file)) return ReadSgfCornerGames(file, summary);
    // An IG1 record has neither result nor date, and its colours alternate.
    ++summary.gamesRead;
    TCornerGame game;
    game.text.file = Absolute(file);
    int color = Black;
    for (const TPoint& p : ReadIg1Moves(file)) {
        game.moves.push_back({color, p.x, p.y});
        color = color == Black ? White : Black;
    }
    return {std::move(game)};
}

std::vector<std::string> CornerGameFiles(const std::vector<std::string>& paths, bool recursive) {
    std::vector<std::string> files;
    for (const std::string& path : paths) {
        std::error_code ec;
        if (fs::is_directory(path, ec)) {
            TFolderWalkOptions walk;
            walk.folder = path;
            walk.subfolders = recursive;
            walk.gameRecords = true;
            std::vector<std::string> found = CollectWalkFiles(walk);
            if (found.empty()) throw EFileRefused(kNoImportableFileText, path);
            std::sort(found.begin(), found.end());
            files.insert(files.end(), found.begin(), found.end());
        } else if (!fs::exists(path, ec)) {
            throw EInOutError(ENOENT, path);
        } else if (!IsGameRecord(path)) {
            throw EFileRefused(kNotImportableText, path);
        } else {
            files.push_back(path);
        }
    }
    return files;
}

TCornerImporter::TCornerImporter(TNavigation& nav, TEvidenceStore* evidence, int limit, EGameKeeping games)
    : nav_(nav), evidence_(evidence), limit_(limit) {
    if (evidence_ && games == EGameKeeping::Kept) games_ = std::make_unique<TGameStore>(evidence_->Companion());
}

bool TCornerImporter::EnterMove(TPoint point) {
    // Quiet: a move illegal in the corner alone ends its sequence without a
    // refusal for every game.
    // All that the games played is kept: no limit of candidates but the board's.
    const TMoveEntry entry =
        nav_.EnterMove(point.x, point.y, EEntryStep::Follow, ERefusalMessages::Quiet, kCandidateSlots);
    lastAdded_ = entry.added;
    if (entry.added) ++summary_.movesAdded;
    switch (entry.outcome) {
    case EEntryOutcome::Entered: return true;
    case EEntryOutcome::ListFull:
    case EEntryOutcome::PathFull: ++summary_.cutFull; break;
    case EEntryOutcome::OnStone:
    case EEntryOutcome::Illegal: ++summary_.cutIllegal; break;
    }
    ++summary_.sequencesCut;
    return false;
}

void TCornerImporter::ImportGame(const TCornerGame& game) {
    std::optional<std::int64_t> kept;
    if (games_) {
        if (!games_->Prepared()) games_->PrepareWrite();
        kept = games_->Add(MainLineHash(game.moves), game.text, game.year, game.winner);
        if (!kept) {
            ++summary_.duplicates;
            return;
        }
    }
    TOneMoveScope oneMove(nav_);
    for (const TCornerSequence& sequence : ExtractCornerSequences(game.moves, limit_)) {
        nav_.ResetToRoot();
        const EStarterResult result = ResultFor(sequence.starter, game.winner);
        TGamePass pass{kept.value_or(0), static_cast<int>(sequence.corner), 0, sequence.symmetry,
                       sequence.starter == White};
        bool entered = false;
        // Past its first new record a sequence makes every record it enters,
        // one after another: they are kept as one tail, not pass by pass.
        int tailFirst = 0;
        std::vector<int> tail;
        const auto endTail = [&] {
            if (kept && !tail.empty()) games_->AddTail(tailFirst, pass, tail);
            tail.clear();
        };
        for (std::size_t m = 0; m < sequence.moves.size(); ++m) {
            if (!EnterMove(sequence.moves[m])) break;
            if (!entered) {
                entered = true;
                ++summary_.sequences;
                if (evidence_) evidence_->Count(0, result, game.year);
                if (kept) games_->AddPass(0, pass);
            }
            const int rec = nav_.CurrentRecord();
            if (evidence_) evidence_->Count(rec, result, game.year);
            pass.moveNumber = sequence.moveNumbers[m];
            if (!kept) continue;
            if (lastAdded_) {
                if (!tail.empty() && rec != tailFirst + static_cast<int>(tail.size())) endTail();
                if (tail.empty()) tailFirst = rec;
                tail.push_back(pass.moveNumber);
            } else {
                endTail();
                games_->AddPass(rec, pass);
            }
        }
        endTail();
    }
}

void TCornerImporter::ImportFiles(const std::vector<std::string>& files, IProgress* progress) {
    // Before the first move: a store that cannot keep the games stops here.
    if (games_ && !games_->Prepared()) games_->PrepareWrite();
    int sinceFlush = 0;
    auto batch = std::make_unique<TImportBatch>(nav_);
    // The moves go in the file before the counts that name their records.
    const auto flush = [&] {
        batch->Commit();
        batch = std::make_unique<TImportBatch>(nav_);
        Flush();
    };
    const auto total = static_cast<std::int64_t>(files.size());
    for (std::size_t f = 0; f < files.size() && !summary_.cancelled; ++f) {
        const auto done = static_cast<std::int64_t>(f);
        if (StopAsked(progress, done, total, files[f])) {
            summary_.cancelled = true;
            break;
        }
        std::vector<TCornerGame> games;
        try {
            games = ReadCornerGames(files[f], summary_);
        } catch (const ESgfError& error) {
            summary_.failures.push_back({files[f], error.Message()});
            continue;
        }
        // One file may hold thousands of games: a stop is asked between them.
        for (std::size_t g = 0; g < games.size(); ++g) {
            if (g > 0 && StopAsked(progress, done, total, files[f])) {
                summary_.cancelled = true;
                // Read but not entered: the summary counts what went in.
                summary_.gamesRead -= static_cast<int>(games.size() - g);
                break;
            }
            ImportGame(games[g]);
            if (++sinceFlush >= kGamesPerFlush) {
                flush();
                sinceFlush = 0;
            }
        }
    }
    flush();
    if (!summary_.cancelled) StopAsked(progress, total, total);
}

void TCornerImporter::Flush() {
    if (!evidence_ || (evidence_->Pending() == 0 && (!games_ || games_->Pending() == 0))) return;
    try {
        // Counts and the games behind them commit together or not at all.
        TCompanionTransaction transaction(*evidence_->Companion(), kBatchText);
        evidence_->Flush();
        if (games_) games_->Flush();
        transaction.Commit();
    } catch (const EFileRefused& e) {
        // The batch's moves went into the dictionary just before.
        throw EFileRefused(TMessage(kCountsNotStoredText).Arg(e.Message()), e.FileName());
    }
}

}  // namespace vxlo
