#include "companion/CompanionDatabase.h"

#include <sqlite3.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string_view>
#include <system_error>
#include <vector>

#include "core/VxloError.h"

namespace vxlo {

namespace fs = std::filesystem;

namespace {
// Long enough to wait out another program's short write or a reader's
// snapshot, short enough that the user is told instead of left waiting.
constexpr int kBusyTimeoutMs = 2000;
constexpr const char* kStoreSuffix = ".comments.sqlite";
constexpr const char* kCannotOpenText = QT_TRANSLATE_NOOP("vxlo", "コメントファイルを開けません");
constexpr const char* kCannotCreateText = QT_TRANSLATE_NOOP("vxlo", "コメントファイルを作成できません");
constexpr const char* kReadOnlyText = QT_TRANSLATE_NOOP("vxlo", "コメントファイルに書き込めません");
constexpr const char* kLockedText = QT_TRANSLATE_NOOP("vxlo", "コメントファイルは他のプログラムが使用中です");
constexpr const char* kNotOursText =
    QT_TRANSLATE_NOOP("vxlo", "コメントファイルはこのプログラムのものではありません");

// A step that brings a table made by an earlier version up to date: needed
// is a query of one row, non-zero when the step is still to be done.
struct TMigration {
    const char* needed;
    const char* sql;
};

struct TTableDefinition {
    ECompanionTable table;
    const char* name;
    std::vector<std::string_view> columns;  // what the stores read and write
    bool keyedByRecord;                     // rec is the primary key: the stores upsert
    std::optional<ECompanionTable> restsOn;
    const char* create;
    std::vector<TMigration> migrations;
};

constexpr const char* kSearchTriggers =
    "CREATE TRIGGER IF NOT EXISTS comments_search_insert AFTER INSERT ON comments BEGIN"
    "  INSERT INTO comments_search(rowid, comment) VALUES (new.rec, new.comment);"
    " END;"
    "CREATE TRIGGER IF NOT EXISTS comments_search_delete AFTER DELETE ON comments BEGIN"
    "  INSERT INTO comments_search(comments_search, rowid, comment)"
    "    VALUES ('delete', old.rec, old.comment);"
    " END;"
    "CREATE TRIGGER IF NOT EXISTS comments_search_update AFTER UPDATE ON comments BEGIN"
    "  INSERT INTO comments_search(comments_search, rowid, comment)"
    "    VALUES ('delete', old.rec, old.comment);"
    "  INSERT INTO comments_search(rowid, comment) VALUES (new.rec, new.comment);"
    " END;";

const std::vector<TTableDefinition>& Tables() {
    // The search index is filled from the comments already there when it is
    // made, and rebuilt whenever a trigger was missing (writes went by it).
    static const std::vector<TTableDefinition> tables = {
        {ECompanionTable::Comments, "comments", {"rec", "comment"}, true, std::nullopt,
         "CREATE TABLE comments (rec INTEGER PRIMARY KEY, comment TEXT)", {}},
        {ECompanionTable::CommentsSearch, "comments_search", {"comment"}, false, ECompanionTable::Comments,
         "CREATE VIRTUAL TABLE comments_search USING fts5("
         "  comment, content='comments', content_rowid='rec', tokenize='trigram');",
         {{"SELECT count(*) < 3 FROM sqlite_schema WHERE type = 'trigger' AND name IN "
           "('comments_search_insert', 'comments_search_delete', 'comments_search_update')",
           kSearchTriggers}}},
        {ECompanionTable::Markup, "markup", {"rec", "kind", "x", "y", "label"}, false, std::nullopt,
         "CREATE TABLE markup (rec INTEGER NOT NULL, kind INTEGER NOT NULL, "
         "x INTEGER NOT NULL, y INTEGER NOT NULL, label TEXT)",
         {{"SELECT NOT EXISTS (SELECT 1 FROM sqlite_schema WHERE type = 'index' AND name = 'markup_rec')",
           "CREATE INDEX IF NOT EXISTS markup_rec ON markup (rec)"}}},
        {ECompanionTable::Evidence, "evidence",
         {"rec", "games", "starter_wins", "starter_losses", "first_year", "last_year"}, true, std::nullopt,
         "CREATE TABLE evidence (rec INTEGER PRIMARY KEY, games INTEGER NOT NULL, "
         "starter_wins INTEGER NOT NULL, starter_losses INTEGER NOT NULL, "
         "first_year INTEGER NOT NULL, last_year INTEGER NOT NULL)",
         {}},
        {ECompanionTable::Practice, "practice", {"rec", "reps", "lapses", "interval_days", "due"}, true,
         std::nullopt,
         "CREATE TABLE practice (rec INTEGER PRIMARY KEY, "
         "reps INTEGER, lapses INTEGER, interval_days REAL, due TEXT)",
         {}},
        {ECompanionTable::EngineReview, "engine_review",
         {"rec", "score_lead", "winrate", "visits", "engine", "network", "reviewed"}, true, std::nullopt,
         "CREATE TABLE engine_review (rec INTEGER PRIMARY KEY, score_lead REAL NOT NULL, "
         "winrate REAL NOT NULL, visits INTEGER NOT NULL, engine TEXT, network TEXT, reviewed TEXT)",
         {}},
        // missing 0: the dictionary's candidates in list order (rank), 1: the
        // engine's moves it lacks, best first.
        {ECompanionTable::EngineCandidate, "engine_candidate",
         {"rec", "missing", "rank", "x", "y", "points_lost", "visits"}, false, ECompanionTable::EngineReview,
         "CREATE TABLE engine_candidate (rec INTEGER NOT NULL, missing INTEGER NOT NULL, "
         "rank INTEGER NOT NULL, x INTEGER NOT NULL, y INTEGER NOT NULL, points_lost REAL NOT NULL, "
         "visits INTEGER NOT NULL, PRIMARY KEY (rec, missing, rank))",
         {}},
        // The games behind the counts: year and date_key order and filter
        // them, line_hash finds a game kept already.
        {ECompanionTable::Games, "games",
         {"id", "file", "game_index", "black", "white", "black_rank", "white_rank", "date", "year", "event",
          "result", "winner", "date_key", "line_hash"},
         false, std::nullopt,
         "CREATE TABLE games (id INTEGER PRIMARY KEY, file TEXT NOT NULL, game_index INTEGER NOT NULL, "
         "black TEXT NOT NULL, white TEXT NOT NULL, black_rank TEXT NOT NULL, white_rank TEXT NOT NULL, "
         "date TEXT NOT NULL, year INTEGER, event TEXT NOT NULL, result TEXT NOT NULL, "
         "winner INTEGER NOT NULL, date_key INTEGER NOT NULL, line_hash INTEGER NOT NULL)",
         {{"SELECT NOT EXISTS (SELECT 1 FROM sqlite_schema WHERE type = 'index' AND name = 'games_line')",
           "CREATE INDEX IF NOT EXISTS games_line ON games (line_hash);"
           "CREATE INDEX IF NOT EXISTS games_year ON games (year, date_key, winner)"}}},
        // Where the games passed: per record and batch of games, the passes
        // packed in one blob (GamePasses.h), so a position's games are a few
        // rows however many there are.
        {ECompanionTable::GamePasses, "game_passes", {"rec", "first_game", "passes"}, false,
         ECompanionTable::Games,
         "CREATE TABLE game_passes (rec INTEGER NOT NULL, first_game INTEGER NOT NULL, "
         "passes BLOB NOT NULL, PRIMARY KEY (rec, first_game)) WITHOUT ROWID",
         {}},
        // A game's pass through the records its sequence made, one after
        // another: first_rec..last_rec, never overlapping another row's.
        {ECompanionTable::GameTails, "game_tails", {"first_rec", "last_rec", "game", "flags", "move_numbers"},
         false, ECompanionTable::GamePasses,
         "CREATE TABLE game_tails (first_rec INTEGER PRIMARY KEY, last_rec INTEGER NOT NULL, "
         "game INTEGER NOT NULL, flags INTEGER NOT NULL, move_numbers BLOB NOT NULL)",
         {}},
    };
    return tables;
}

const TTableDefinition& Definition(ECompanionTable table) {
    for (const TTableDefinition& d : Tables())
        if (d.table == table) return d;
    throw std::logic_error("companion table without a definition");
}

// Tables SQLite keeps for itself or for our search index.
bool Internal(std::string_view name) {
    return name.starts_with("sqlite_") || name.starts_with("comments_search_");
}
}  // namespace

void TSqliteHandleCloser::operator()(sqlite3* db) const { sqlite3_close_v2(db); }

void TSqliteStatementFinalizer::operator()(sqlite3_stmt* statement) const {
    sqlite3_finalize(statement);
}

std::string TCompanionDatabase::PathFor(const std::string& dictionaryPath) {
    fs::path path(dictionaryPath);
    path.replace_extension();
    path += kStoreSuffix;
    return path.string();
}

bool TCompanionDatabase::ExistsFor(const std::string& dictionaryPath) {
    std::error_code error;
    return fs::symlink_status(PathFor(dictionaryPath), error).type() != fs::file_type::not_found;
}

TCompanion OpenCompanion(const std::string& dictionaryPath, TCompanionDatabase::EAccess access) {
    return std::make_shared<TCompanionDatabase>(dictionaryPath, access);
}

TCompanionDatabase::TCompanionDatabase(const std::string& dictionaryPath, EAccess access)
    : path_(PathFor(dictionaryPath)), access_(access) {
    std::error_code error;
    if (fs::is_directory(path_, error)) Fail(kCannotOpenText, SQLITE_CANTOPEN);
    if (fs::symlink_status(path_, error).type() == fs::file_type::not_found) return;
    int step = OpenAndProbe(access == EAccess::ReadOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE);
    // A program killed in the middle of a write leaves a journal that only a
    // writer can roll back; a reader may do that much, or it could never read
    // the file again until the window opened it.
    if (access == EAccess::ReadOnly && (step & 0xff) == SQLITE_READONLY)
        step = OpenAndProbe(SQLITE_OPEN_READWRITE);
    if (step != SQLITE_ROW) Fail(kCannotOpenText, step);
    CheckOwnership();
}

int TCompanionDatabase::OpenAndProbe(int flags) {
    db_.reset();
    sqlite3* raw = nullptr;
    const int rc = sqlite3_open_v2(path_.c_str(), &raw, flags, nullptr);
    db_.reset(raw);
    if (rc != SQLITE_OK) Fail((flags & SQLITE_OPEN_CREATE) ? kCannotCreateText : kCannotOpenText, rc);
    sqlite3_extended_result_codes(db_.get(), 1);
    sqlite3_busy_timeout(db_.get(), kBusyTimeoutMs);
    // Reading the schema is where a file that is no database shows itself.
    sqlite3_stmt* raw_probe = nullptr;
    const int prepared = sqlite3_prepare_v2(db_.get(), "SELECT count(*) FROM sqlite_schema", -1,
                                            &raw_probe, nullptr);
    TSqliteStatement probe(raw_probe);
    return prepared != SQLITE_OK ? prepared : sqlite3_step(probe.get());
}

void TCompanionDatabase::CheckOwnership() {
    // A connection that refuses the file closes, so nothing is written to it.
    struct TCloseUnlessAccepted {
        TCompanionDatabase& db;
        bool accepted = false;
        ~TCloseUnlessAccepted() {
            if (!accepted) db.db_.reset();
        }
    } guard{*this};
    int ours = 0;
    int foreign = 0;
    {
        TSqliteStatement all = Prepare("SELECT name, type FROM sqlite_schema WHERE type IN ('table', 'view')",
                                       kCannotOpenText);
        int rc;
        while ((rc = sqlite3_step(all.get())) == SQLITE_ROW) {
            const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(all.get(), 0));
            const std::string_view name = text ? text : "";
            const std::string_view type = reinterpret_cast<const char*>(sqlite3_column_text(all.get(), 1));
            bool known = false;
            for (const TTableDefinition& d : Tables()) known = known || name == d.name;
            if (known && type != "table") throw EFileRefused(WithReason(kNotOursText, std::string(name)), path_);
            if (known) {
                ++ours;
            } else if (!Internal(name)) {
                ++foreign;
            }
        }
        if (rc != SQLITE_DONE) Fail(kCannotOpenText, rc);
    }
    if (ours == 0 && foreign > 0) throw EFileRefused(kNotOursText, path_);
    TSqliteStatement columns =
        Prepare("SELECT name, pk FROM pragma_table_info(?1)", kCannotOpenText);
    for (const TTableDefinition& d : Tables()) {
        sqlite3_bind_text(columns.get(), 1, d.name, -1, SQLITE_STATIC);
        std::vector<std::string> found;
        bool keyed = false;
        int rc;
        while ((rc = sqlite3_step(columns.get())) == SQLITE_ROW) {
            const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(columns.get(), 0));
            found.emplace_back(text ? text : "");
            if (found.back() == "rec" && sqlite3_column_int(columns.get(), 1) == 1) keyed = true;
        }
        sqlite3_reset(columns.get());
        if (rc != SQLITE_DONE) Fail(kCannotOpenText, rc);
        if (found.empty()) continue;  // not there yet
        bool usable = !d.keyedByRecord || keyed;
        for (const std::string_view column : d.columns)
            usable = usable && std::find(found.begin(), found.end(), column) != found.end();
        if (!usable) throw EFileRefused(WithReason(kNotOursText, d.name), path_);
    }
    guard.accepted = true;
}

void ThrowStoreFailure(const char* text, int code, const std::string& path) {
    // Extended codes keep the primary code in their low byte.
    if ((code & 0xff) == SQLITE_BUSY || (code & 0xff) == SQLITE_LOCKED) throw EFileRefused(kLockedText, path);
    if (code != SQLITE_OK) throw EFileRefused(WithReason(text, sqlite3_errstr(code)), path);
    throw EFileRefused(text, path);
}

void TCompanionDatabase::Fail(const char* text, int code) const { ThrowStoreFailure(text, code, path_); }

bool TCompanionDatabase::Writable() const {
    return access_ == EAccess::ReadWrite && (!db_ || sqlite3_db_readonly(db_.get(), "main") != 1);
}

void TCompanionDatabase::Connect() {
    if (access_ != EAccess::ReadWrite) Fail(kReadOnlyText, SQLITE_OK);
    if (!db_) {
        // Another program may have made the file since the open.
        const int step = OpenAndProbe(SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
        if (step != SQLITE_ROW) Fail(kCannotOpenText, step);
        CheckOwnership();
    }
    if (!Writable()) Fail(kReadOnlyText, SQLITE_OK);
}

bool TCompanionDatabase::Has(ECompanionTable table) {
    if (!db_) return false;
    TSqliteStatement query = Prepare(
        "SELECT 1 FROM sqlite_schema WHERE type = 'table' AND name = ?1", kCannotOpenText);
    sqlite3_bind_text(query.get(), 1, Definition(table).name, -1, SQLITE_STATIC);
    const int rc = sqlite3_step(query.get());
    if (rc != SQLITE_ROW && rc != SQLITE_DONE) Fail(kCannotOpenText, rc);
    return rc == SQLITE_ROW;
}

bool TCompanionDatabase::UpToDate(ECompanionTable table) {
    const TTableDefinition& d = Definition(table);
    if (d.restsOn && !UpToDate(*d.restsOn)) return false;
    if (!Has(table)) return false;
    for (const TMigration& m : d.migrations) {
        const TSqliteStatement needed = Prepare(m.needed, kCannotOpenText);
        const int rc = sqlite3_step(needed.get());
        if (rc != SQLITE_ROW && rc != SQLITE_DONE) Fail(kCannotOpenText, rc);
        if (rc == SQLITE_ROW && sqlite3_column_int(needed.get(), 0) != 0) return false;
    }
    return true;
}

void TCompanionDatabase::Ensure(ECompanionTable table) {
    Connect();
    // Even an empty write transaction waits for every reader at its commit:
    // a table that is there already costs no lock.
    if (UpToDate(table)) return;
    TCompanionTransaction transaction(*this, kCannotCreateText);
    const TTableDefinition& d = Definition(table);
    if (d.restsOn) Ensure(*d.restsOn);
    if (Has(table)) {
        RunMigrations(table);
    } else {
        Exec(d.create, kCannotCreateText);
        // A new table is born up to date: its migrations are the steps that
        // finish it (the search index's triggers and its first filling).
        RunMigrations(table);
    }
    transaction.Commit();
}

void TCompanionDatabase::RunMigrations(ECompanionTable table) {
    bool rebuild = false;
    for (const TMigration& m : Definition(table).migrations) {
        TSqliteStatement needed = Prepare(m.needed, kCannotCreateText);
        const int rc = sqlite3_step(needed.get());
        if (rc != SQLITE_ROW && rc != SQLITE_DONE) Fail(kCannotCreateText, rc);
        if (rc != SQLITE_ROW || sqlite3_column_int(needed.get(), 0) == 0) continue;
        needed.reset();
        Exec(m.sql, kCannotCreateText);
        rebuild = true;
    }
    if (rebuild && table == ECompanionTable::CommentsSearch)
        Exec("INSERT INTO comments_search(comments_search) VALUES ('rebuild')", kCannotCreateText);
}

void TCompanionDatabase::Exec(const char* sql, const char* failureText) {
    const int rc = sqlite3_exec(db_.get(), sql, nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) Fail(failureText, sqlite3_extended_errcode(db_.get()));
}

TSqliteStatement TCompanionDatabase::Prepare(const char* sql, const char* failureText) {
    sqlite3_stmt* raw = nullptr;
    const int rc = sqlite3_prepare_v2(db_.get(), sql, -1, &raw, nullptr);
    TSqliteStatement statement(raw);
    if (rc != SQLITE_OK) Fail(failureText, rc);
    return statement;
}

void TCompanionDatabase::Run(sqlite3_stmt* statement, const char* failureText) {
    int rc;
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {}
    sqlite3_reset(statement);
    sqlite3_clear_bindings(statement);
    if (rc != SQLITE_DONE) Fail(failureText, rc);
}

TCompanionTransaction::TCompanionTransaction(TCompanionDatabase& db, const char* failureText)
    : db_(db), failureText_(failureText), outermost_(db.depth_ == 0) {
    db_.Connect();
    if (outermost_) {
        db_.Exec("BEGIN IMMEDIATE", failureText_);
    } else {
        TSqliteStatement begin = db_.Prepare("SAVEPOINT companion_nested", failureText_);
        db_.Run(begin.get(), failureText_);
    }
    ++db_.depth_;
}

TCompanionTransaction::~TCompanionTransaction() {
    if (!open_) return;
    // Only reached without Commit when an error is already on its way up.
    sqlite3_exec(db_.Handle(), outermost_ ? "ROLLBACK" : "ROLLBACK TO companion_nested; RELEASE companion_nested",
                 nullptr, nullptr, nullptr);
    --db_.depth_;
}

void TCompanionTransaction::Commit() {
    const int rc = sqlite3_exec(db_.Handle(), outermost_ ? "COMMIT" : "RELEASE companion_nested", nullptr,
                                nullptr, nullptr);
    if (rc != SQLITE_OK) db_.Fail(failureText_, sqlite3_extended_errcode(db_.Handle()));  // the destructor rolls back
    open_ = false;
    --db_.depth_;
}

}  // namespace vxlo
