#include "companion/GameStore.h"

#include <sqlite3.h>

#include <algorithm>
#include <cctype>

#include "core/Message.h"
#include "core/VxloError.h"

namespace vxlo {

namespace {
constexpr const char* kCannotSaveText = QT_TRANSLATE_NOOP("vxlo", "対局を保存できません");
constexpr const char* kCannotReadText = QT_TRANSLATE_NOOP("vxlo", "対局を読み込めません");

constexpr const char* kInsertGame =
    "INSERT INTO games (id, file, game_index, black, white, black_rank, white_rank, date, year, event, "
    "result, winner, date_key, line_hash) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13, ?14)";
// SQLite's lower() folds ASCII letters only, as the filter's text is folded.
#define VXLO_FACTS_FILTER                                                                      \
    "(?1 IS NULL OR year >= ?1) AND (?2 IS NULL OR year <= ?2) AND "                           \
    "(?3 IS NULL OR instr(lower(black), ?3) > 0 OR instr(lower(white), ?3) > 0) AND "         \
    "(?4 IS NULL OR instr(lower(event), ?4) > 0)"
constexpr const char* kFacts = "SELECT id, year, winner, date_key FROM games WHERE " VXLO_FACTS_FILTER " ORDER BY id";
constexpr const char* kFactsOfOne =
    "SELECT id, year, winner, date_key FROM games WHERE id = ?5 AND " VXLO_FACTS_FILTER;
#undef VXLO_FACTS_FILTER

std::string AsciiLower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

void BindText(sqlite3_stmt* s, int column, const std::string& text) {
    sqlite3_bind_text(s, column, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
}

std::string ColumnText(sqlite3_stmt* s, int column) {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(s, column));
    return text ? std::string(text, static_cast<std::size_t>(sqlite3_column_bytes(s, column))) : std::string();
}

// Digits at text[at..at+count), or -1.
int Digits(const std::string& text, std::size_t at, std::size_t count) {
    if (at + count > text.size()) return -1;
    int value = 0;
    for (std::size_t i = at; i < at + count; ++i) {
        if (!std::isdigit(static_cast<unsigned char>(text[i]))) return -1;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}
}  // namespace

std::int64_t GameDateKey(const std::string& date, int year) {
    if (year <= 0) return 0;
    std::int64_t key = static_cast<std::int64_t>(year) * 10000;
    if (Digits(date, 0, 4) != year || date.size() < 7 || date[4] != '-') return key;
    const int month = Digits(date, 5, 2);
    if (month < 1 || month > 12) return key;
    key += month * 100;
    const int day = date.size() >= 10 && date[7] == '-' ? Digits(date, 8, 2) : -1;
    if (day >= 1 && day <= 31) key += day;
    return key;
}

TGameStore::TGameStore(TCompanion db) : db_(std::move(db)) {}

bool TGameStore::HasTables() {
    if (!hasTables_)
        hasTables_ = db_->Has(ECompanionTable::Games) && db_->Has(ECompanionTable::GamePasses) &&
                     db_->Has(ECompanionTable::GameTails);
    return hasTables_;
}

void TGameStore::PrepareWrite() {
    TCompanionTransaction transaction(*db_, kCannotSaveText);
    db_->Ensure(ECompanionTable::GameTails);
    lines_.clear();
    {
        TSqliteStatement lines = db_->Prepare("SELECT line_hash FROM games", kCannotReadText);
        int rc;
        while ((rc = sqlite3_step(lines.get())) == SQLITE_ROW)
            lines_.insert(static_cast<std::uint64_t>(sqlite3_column_int64(lines.get(), 0)));
        if (rc != SQLITE_DONE) db_->Fail(kCannotReadText, rc);
        nextId_ = LastGameId() + 1;
    }
    transaction.Commit();
    batchFirst_ = nextId_;
    pendingGames_.clear();
    pendingPasses_.clear();
    hasTables_ = true;
    prepared_ = true;
}

std::optional<std::int64_t> TGameStore::Add(std::uint64_t lineHash, const TGameText& text, int year, int winner) {
    if (!lines_.insert(lineHash).second) return std::nullopt;
    const std::int64_t id = nextId_++;
    pendingGames_.push_back({id, lineHash, text, year, winner});
    return id;
}

void TGameStore::AddPass(int rec, const TGamePass& pass) {
    pendingPasses_.try_emplace(rec, batchFirst_).first->second.Append(pass);
}

void TGameStore::AddTail(int firstRec, const TGamePass& pass, const std::vector<int>& moveNumbers) {
    if (!moveNumbers.empty()) pendingTails_.push_back({firstRec, pass, moveNumbers});
}

void TGameStore::Flush() {
    if (pendingGames_.empty()) return;
    TCompanionTransaction transaction(*db_, kCannotSaveText);
    db_->Ensure(ECompanionTable::GameTails);
    {
        TSqliteStatement game = db_->Prepare(kInsertGame, kCannotSaveText);
        for (const TPendingGame& g : pendingGames_) {
            sqlite3_bind_int64(game.get(), 1, g.id);
            BindText(game.get(), 2, g.text.file);
            sqlite3_bind_int(game.get(), 3, g.text.index);
            BindText(game.get(), 4, g.text.black);
            BindText(game.get(), 5, g.text.white);
            BindText(game.get(), 6, g.text.blackRank);
            BindText(game.get(), 7, g.text.whiteRank);
            BindText(game.get(), 8, g.text.date);
            if (g.year > 0) sqlite3_bind_int(game.get(), 9, g.year);
            BindText(game.get(), 10, g.text.event);
            BindText(game.get(), 11, g.text.result);
            sqlite3_bind_int(game.get(), 12, g.winner);
            sqlite3_bind_int64(game.get(), 13, GameDateKey(g.text.date, g.year));
            sqlite3_bind_int64(game.get(), 14, static_cast<std::int64_t>(g.lineHash));
            db_->Run(game.get(), kCannotSaveText);
        }
        TSqliteStatement passes =
            db_->Prepare("INSERT INTO game_passes (rec, first_game, passes) VALUES (?1, ?2, ?3)", kCannotSaveText);
        for (const auto& [rec, writer] : pendingPasses_) {
            sqlite3_bind_int(passes.get(), 1, rec);
            sqlite3_bind_int64(passes.get(), 2, batchFirst_);
            sqlite3_bind_blob(passes.get(), 3, writer.Bytes().data(), static_cast<int>(writer.Bytes().size()),
                              SQLITE_STATIC);
            db_->Run(passes.get(), kCannotSaveText);
        }
        TSqliteStatement tails = db_->Prepare(
            "INSERT INTO game_tails (first_rec, last_rec, game, flags, move_numbers) VALUES (?1, ?2, ?3, ?4, ?5)",
            kCannotSaveText);
        for (const TPendingTail& t : pendingTails_) {
            const std::string moves = EncodeTailMoves(t.moveNumbers);
            sqlite3_bind_int(tails.get(), 1, t.firstRec);
            sqlite3_bind_int64(tails.get(), 2, t.firstRec + static_cast<std::int64_t>(t.moveNumbers.size()) - 1);
            sqlite3_bind_int64(tails.get(), 3, t.pass.game);
            sqlite3_bind_int(tails.get(), 4, PassFlags(t.pass));
            sqlite3_bind_blob(tails.get(), 5, moves.data(), static_cast<int>(moves.size()), SQLITE_TRANSIENT);
            db_->Run(tails.get(), kCannotSaveText);
        }
    }
    transaction.Commit();
    pendingGames_.clear();
    pendingPasses_.clear();
    pendingTails_.clear();
    ranks_.clear();
    batchFirst_ = nextId_;
}

bool TGameStore::Any() {
    if (!HasTables()) return false;
    TSqliteStatement any = db_->Prepare("SELECT 1 FROM games LIMIT 1", kCannotReadText);
    const int rc = sqlite3_step(any.get());
    if (rc != SQLITE_ROW && rc != SQLITE_DONE) db_->Fail(kCannotReadText, rc);
    return rc == SQLITE_ROW;
}

void TGameStore::Clear() {
    pendingGames_.clear();
    pendingPasses_.clear();
    pendingTails_.clear();
    ranks_.clear();
    lines_.clear();
    if (!HasTables()) return;
    db_->Exec("DELETE FROM game_tails; DELETE FROM game_passes; DELETE FROM games", kCannotSaveText);
}

std::optional<TGamePass> TGameStore::TailPassAt(int rec) {
    // The game that made the record reached it first of all.
    TSqliteStatement tail = db_->Prepare(
        "SELECT first_rec, last_rec, game, flags, move_numbers FROM game_tails WHERE first_rec <= ?1 "
        "ORDER BY first_rec DESC LIMIT 1", kCannotReadText);
    sqlite3_bind_int(tail.get(), 1, rec);
    const int found = sqlite3_step(tail.get());
    if (found != SQLITE_ROW && found != SQLITE_DONE) db_->Fail(kCannotReadText, found);
    if (found != SQLITE_ROW || sqlite3_column_int64(tail.get(), 1) < rec) return std::nullopt;
    std::vector<int> moves;
    const auto* bytes = static_cast<const char*>(sqlite3_column_blob(tail.get(), 4));
    const std::string_view blob(bytes ? bytes : "", static_cast<std::size_t>(sqlite3_column_bytes(tail.get(), 4)));
    const std::int64_t at = rec - sqlite3_column_int64(tail.get(), 0);
    if (!DecodeTailMoves(blob, moves) || at >= static_cast<std::int64_t>(moves.size()))
        throw EFileRefused(kCannotReadText, db_->Path());
    TGamePass pass;
    pass.game = sqlite3_column_int64(tail.get(), 2);
    SetPassFlags(sqlite3_column_int(tail.get(), 3), pass);
    pass.moveNumber = moves[static_cast<std::size_t>(at)];
    return pass;
}

template <class Decode>
void TGameStore::ForEachPassBlob(int rec, Decode decode) {
    TSqliteStatement rows = db_->Prepare(
        "SELECT first_game, passes FROM game_passes WHERE rec = ?1 ORDER BY first_game", kCannotReadText);
    sqlite3_bind_int(rows.get(), 1, rec);
    int rc;
    while ((rc = sqlite3_step(rows.get())) == SQLITE_ROW) {
        const auto* bytes = static_cast<const char*>(sqlite3_column_blob(rows.get(), 1));
        const std::string_view blob(bytes ? bytes : "", static_cast<std::size_t>(sqlite3_column_bytes(rows.get(), 1)));
        if (!decode(sqlite3_column_int64(rows.get(), 0), blob)) throw EFileRefused(kCannotReadText, db_->Path());
    }
    if (rc != SQLITE_DONE) db_->Fail(kCannotReadText, rc);
}

std::vector<TGamePass> TGameStore::PassesAt(int rec) {
    std::vector<TGamePass> passes;
    if (!HasTables()) return passes;
    if (const std::optional<TGamePass> tail = TailPassAt(rec)) passes.push_back(*tail);
    ForEachPassBlob(rec, [&](std::int64_t firstGame, std::string_view blob) {
        return DecodeGamePasses(firstGame, blob, passes);
    });
    return passes;
}

long long TGameStore::PassCountAt(int rec) {
    if (!HasTables()) return 0;
    long long count = TailPassAt(rec) ? 1 : 0;
    ForEachPassBlob(rec, [&](std::int64_t, std::string_view blob) { return CountGamePasses(blob, count); });
    return count;
}

namespace {

void BindFilter(sqlite3_stmt* s, const TGameFilter& filter) {
    if (filter.from) sqlite3_bind_int(s, 1, *filter.from);
    if (filter.to) sqlite3_bind_int(s, 2, *filter.to);
    if (!filter.player.empty()) BindText(s, 3, AsciiLower(filter.player));
    if (!filter.event.empty()) BindText(s, 4, AsciiLower(filter.event));
}

TGameFacts FactsOfRow(sqlite3_stmt* s) {
    return {sqlite3_column_int64(s, 0), sqlite3_column_int(s, 1), sqlite3_column_int(s, 2), sqlite3_column_int64(s, 3)};
}

}  // namespace

std::vector<TGameFacts> TGameStore::Facts(const TGameFilter& filter) {
    std::vector<TGameFacts> facts;
    if (!HasTables()) return facts;
    TSqliteStatement rows = db_->Prepare(kFacts, kCannotReadText);
    BindFilter(rows.get(), filter);
    int rc;
    while ((rc = sqlite3_step(rows.get())) == SQLITE_ROW) facts.push_back(FactsOfRow(rows.get()));
    if (rc != SQLITE_DONE) db_->Fail(kCannotReadText, rc);
    return facts;
}

std::int64_t TGameStore::LastGameId() {
    if (!HasTables()) return 0;
    TSqliteStatement last = db_->Prepare("SELECT coalesce(max(id), 0) FROM games", kCannotReadText);
    const int found = sqlite3_step(last.get());
    if (found != SQLITE_ROW) db_->Fail(kCannotReadText, found);
    return sqlite3_column_int64(last.get(), 0);
}

std::vector<TGameFacts> TGameStore::Facts(const TGameFilter& filter, const std::vector<std::int64_t>& among) {
    if (!HasTables()) return {};
    std::vector<TGameFacts> facts;
    TSqliteStatement one = db_->Prepare(kFactsOfOne, kCannotReadText);
    BindFilter(one.get(), filter);
    for (const std::int64_t id : among) {
        sqlite3_bind_int64(one.get(), 5, id);
        const int rc = sqlite3_step(one.get());
        if (rc == SQLITE_ROW) {
            facts.push_back(FactsOfRow(one.get()));
        } else if (rc != SQLITE_DONE) {
            db_->Fail(kCannotReadText, rc);
        }
        sqlite3_reset(one.get());
    }
    return facts;
}

std::optional<TKeptGame> TGameStore::Game(std::int64_t id) {
    if (!HasTables()) return std::nullopt;
    TSqliteStatement row = db_->Prepare(
        "SELECT file, game_index, black, white, black_rank, white_rank, date, year, event, result, winner, line_hash "
        "FROM games WHERE id = ?1", kCannotReadText);
    sqlite3_bind_int64(row.get(), 1, id);
    const int rc = sqlite3_step(row.get());
    if (rc == SQLITE_DONE) return std::nullopt;
    if (rc != SQLITE_ROW) db_->Fail(kCannotReadText, rc);
    TKeptGame g;
    g.id = id;
    g.text.file = ColumnText(row.get(), 0);
    g.text.index = sqlite3_column_int(row.get(), 1);
    g.text.black = ColumnText(row.get(), 2);
    g.text.white = ColumnText(row.get(), 3);
    g.text.blackRank = ColumnText(row.get(), 4);
    g.text.whiteRank = ColumnText(row.get(), 5);
    g.text.date = ColumnText(row.get(), 6);
    g.year = sqlite3_column_int(row.get(), 7);
    g.text.event = ColumnText(row.get(), 8);
    g.text.result = ColumnText(row.get(), 9);
    g.winner = sqlite3_column_int(row.get(), 10);
    g.lineHash = static_cast<std::uint64_t>(sqlite3_column_int64(row.get(), 11));
    return g;
}

const std::vector<std::int32_t>& TGameStore::TextRanks(const std::string& column) {
    static const char* const kColumns[] = {"black", "white", "event", "result"};
    bool known = false;
    for (const char* c : kColumns) known = known || column == c;
    if (!known) throw ERangeError();
    const auto cached = ranks_.find(column);
    if (cached != ranks_.end()) return cached->second;
    std::vector<std::int32_t>& ranks = ranks_[column];
    if (!HasTables()) return ranks;
    // The whole table in one ORDER BY: a page is cut from this order, never
    // sorted on its own.
    ranks.assign(static_cast<std::size_t>(LastGameId() + 1), kNoRank);
    int rc;
    const std::string sql =
        "SELECT id, lower(" + column + ") AS folded FROM games WHERE " + column + " <> '' ORDER BY folded, id";
    TSqliteStatement rows = db_->Prepare(sql.c_str(), kCannotReadText);
    // Equal texts share their place, so that the date can order them.
    std::int32_t place = -1;
    std::string previous;
    while ((rc = sqlite3_step(rows.get())) == SQLITE_ROW) {
        const std::int64_t id = sqlite3_column_int64(rows.get(), 0);
        std::string folded = ColumnText(rows.get(), 1);
        if (place < 0 || folded != previous) {
            ++place;
            previous = std::move(folded);
        }
        if (id >= 0 && id < static_cast<std::int64_t>(ranks.size())) ranks[static_cast<std::size_t>(id)] = place;
    }
    if (rc != SQLITE_DONE) db_->Fail(kCannotReadText, rc);
    return ranks;
}

}  // namespace vxlo
