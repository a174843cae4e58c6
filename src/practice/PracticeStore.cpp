#include "practice/PracticeStore.h"

#include <sqlite3.h>

#include <filesystem>
#include <limits>

#include "core/VxloError.h"
#include "records/CompanionDatabase.h"

namespace vxlo {

namespace {
constexpr int kBusyTimeoutMs = 500;  // the comment store or another program writing
constexpr const char* kCannotOpenText = QT_TRANSLATE_NOOP("vxlo", "練習の記録を開けません");
constexpr const char* kCannotReadText = QT_TRANSLATE_NOOP("vxlo", "練習の記録を読み込めません");
constexpr const char* kCannotSaveText = QT_TRANSLATE_NOOP("vxlo", "練習の記録を保存できません");
constexpr const char* kLockedText = QT_TRANSLATE_NOOP("vxlo", "練習の記録は他のプログラムが使用中です");

TStatement Prepare(sqlite3* db, const char* sql, int& rc) {
    sqlite3_stmt* raw = nullptr;
    rc = sqlite3_prepare_v2(db, sql, -1, &raw, nullptr);
    return TStatement(raw);
}
}  // namespace

void TPracticeStore::Fail(const char* text, int code) const { ThrowStoreFailure(text, kLockedText, code, path_); }

TPracticeStore::TPracticeStore(const std::string& dictionaryPath, Mode mode)
    : path_(TCommentStore::StorePathFor(dictionaryPath)) {
    std::error_code error;
    if (std::filesystem::is_directory(path_, error)) Fail(kCannotOpenText, SQLITE_CANTOPEN);
    if (mode == Mode::ReadOnly && !std::filesystem::exists(path_, error)) return;
    const int flags = mode == Mode::ReadOnly ? SQLITE_OPEN_READONLY
                                             : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
    sqlite3* raw = nullptr;
    int rc = sqlite3_open_v2(path_.c_str(), &raw, flags, nullptr);
    db_.reset(raw);
    if (rc != SQLITE_OK) Fail(kCannotOpenText, rc);
    sqlite3_busy_timeout(db_.get(), kBusyTimeoutMs);
    if (mode == Mode::ReadWrite) {
        // A file that is no database fails here, before anything is written.
        rc = sqlite3_exec(db_.get(),
                          "CREATE TABLE IF NOT EXISTS practice (rec INTEGER PRIMARY KEY, "
                          "reps INTEGER, lapses INTEGER, interval_days REAL, due TEXT)",
                          nullptr, nullptr, nullptr);
        if (rc != SQLITE_OK) Fail(kCannotOpenText, rc);
        upsert_ = Prepare(db_.get(),
                          "INSERT INTO practice (rec, reps, lapses, interval_days, due) "
                          "VALUES (?1, ?2, ?3, ?4, ?5) ON CONFLICT(rec) DO UPDATE SET "
                          "reps = ?2, lapses = ?3, interval_days = ?4, due = ?5",
                          rc);
        if (rc != SQLITE_OK) Fail(kCannotOpenText, rc);
    }
    LoadAll();
}

void TPracticeStore::LoadAll() {
    int rc = SQLITE_OK;
    TStatement exists = Prepare(
        db_.get(), "SELECT count(*) FROM sqlite_schema WHERE type = 'table' AND name = 'practice'",
        rc);
    if (rc != SQLITE_OK) Fail(kCannotReadText, rc);
    rc = sqlite3_step(exists.get());
    if (rc != SQLITE_ROW) Fail(kCannotReadText, rc);
    if (sqlite3_column_int(exists.get(), 0) == 0) return;  // read-only, never practised
    TStatement all =
        Prepare(db_.get(), "SELECT rec, reps, lapses, interval_days, due FROM practice", rc);
    if (rc != SQLITE_OK) Fail(kCannotReadText, rc);
    while ((rc = sqlite3_step(all.get())) == SQLITE_ROW) {
        // A record number no dictionary has cannot name a position.
        const sqlite3_int64 rec = sqlite3_column_int64(all.get(), 0);
        if (rec < 0 || rec > std::numeric_limits<int>::max()) continue;
        const auto* due = reinterpret_cast<const char*>(sqlite3_column_text(all.get(), 4));
        // A date that cannot be read makes the position due, not the store unusable.
        constexpr int kLongAgo = std::numeric_limits<int>::min();
        const TPracticeCard card =
            StoredCard(static_cast<int>(rec), sqlite3_column_int64(all.get(), 1), sqlite3_column_int64(all.get(), 2),
                       sqlite3_column_double(all.get(), 3), due ? ParseDay(due).value_or(kLongAgo) : kLongAgo);
        cards_[card.rec] = card;
    }
    if (rc != SQLITE_DONE) Fail(kCannotReadText, rc);
}

std::optional<TPracticeCard> TPracticeStore::Find(int rec) const {
    const auto found = cards_.find(rec);
    if (found == cards_.end()) return std::nullopt;
    return found->second;
}

void TPracticeStore::Put(const TPracticeCard& card) {
    if (!upsert_) Fail(kCannotSaveText, SQLITE_READONLY);
    sqlite3_stmt* s = upsert_.get();
    sqlite3_reset(s);
    const std::string due = DayText(card.due);
    sqlite3_bind_int(s, 1, card.rec);
    sqlite3_bind_int(s, 2, card.reps);
    sqlite3_bind_int(s, 3, card.lapses);
    sqlite3_bind_double(s, 4, card.intervalDays);
    sqlite3_bind_text(s, 5, due.c_str(), -1, SQLITE_TRANSIENT);
    const int rc = sqlite3_step(s);
    sqlite3_reset(s);
    if (rc != SQLITE_DONE) Fail(kCannotSaveText, rc);
    cards_[card.rec] = card;
}

}  // namespace vxlo
