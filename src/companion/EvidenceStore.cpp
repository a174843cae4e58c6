#include "companion/EvidenceStore.h"

#include <sqlite3.h>

#include <algorithm>

#include "core/Message.h"

namespace vxlo {

namespace {
constexpr const char* kCannotSaveText = QT_TRANSLATE_NOOP("vxlo", "対局数を保存できません");
constexpr const char* kCannotReadText = QT_TRANSLATE_NOOP("vxlo", "対局数を読み込めません");
// Years combine as min/max over the known ones; 0 means none known.
constexpr const char* kAdd =
    "INSERT INTO evidence (rec, games, starter_wins, starter_losses, first_year, last_year) "
    "VALUES (?1, ?2, ?3, ?4, ?5, ?6) ON CONFLICT (rec) DO UPDATE SET "
    "games = games + excluded.games, "
    "starter_wins = starter_wins + excluded.starter_wins, "
    "starter_losses = starter_losses + excluded.starter_losses, "
    "first_year = CASE WHEN first_year = 0 THEN excluded.first_year "
    "  WHEN excluded.first_year = 0 THEN first_year "
    "  ELSE min(first_year, excluded.first_year) END, "
    "last_year = max(last_year, excluded.last_year)";

void MergeYear(TEvidence& e, int year) {
    if (year <= 0) return;
    e.firstYear = e.firstYear == 0 ? year : std::min(e.firstYear, year);
    e.lastYear = std::max(e.lastYear, year);
}
}  // namespace

TEvidenceStore::TEvidenceStore(TCompanion db) : db_(std::move(db)) {}

bool TEvidenceStore::HasTable() {
    // A table, once there, stays: only its absence is asked again.
    if (!hasTable_) hasTable_ = db_->Has(ECompanionTable::Evidence);
    return hasTable_;
}

void TEvidenceStore::PrepareWrite() {
    // A commit, even of nothing, needs the file to itself: what every later
    // flush needs as well.
    TCompanionTransaction transaction(*db_, kCannotSaveText);
    db_->Ensure(ECompanionTable::Evidence);
    transaction.Commit();
    hasTable_ = true;
}

void TEvidenceStore::Count(int rec, EStarterResult result, int year) {
    TEvidence& e = pending_[rec];
    ++e.games;
    if (result == EStarterResult::Won) ++e.starterWins;
    if (result == EStarterResult::Lost) ++e.starterLosses;
    MergeYear(e, year);
}

void TEvidenceStore::Flush() {
    if (pending_.empty()) return;
    TCompanionTransaction transaction(*db_, kCannotSaveText);
    db_->Ensure(ECompanionTable::Evidence);
    TSqliteStatement add = db_->Prepare(kAdd, kCannotSaveText);
    for (const auto& [rec, e] : pending_) {
        sqlite3_bind_int(add.get(), 1, rec);
        sqlite3_bind_int64(add.get(), 2, e.games);
        sqlite3_bind_int64(add.get(), 3, e.starterWins);
        sqlite3_bind_int64(add.get(), 4, e.starterLosses);
        sqlite3_bind_int(add.get(), 5, e.firstYear);
        sqlite3_bind_int(add.get(), 6, e.lastYear);
        db_->Run(add.get(), kCannotSaveText);
    }
    add.reset();
    transaction.Commit();
    hasTable_ = true;
    pending_.clear();
}

std::optional<TEvidence> TEvidenceStore::Get(int rec) {
    if (!HasTable()) return std::nullopt;
    TSqliteStatement get = db_->Prepare(
        "SELECT games, starter_wins, starter_losses, first_year, last_year "
        "FROM evidence WHERE rec = ?1", kCannotReadText);
    sqlite3_bind_int(get.get(), 1, rec);
    const int rc = sqlite3_step(get.get());
    if (rc == SQLITE_DONE) return std::nullopt;
    if (rc != SQLITE_ROW) db_->Fail(kCannotReadText, rc);
    TEvidence e;
    e.games = sqlite3_column_int64(get.get(), 0);
    e.starterWins = sqlite3_column_int64(get.get(), 1);
    e.starterLosses = sqlite3_column_int64(get.get(), 2);
    e.firstYear = sqlite3_column_int(get.get(), 3);
    e.lastYear = sqlite3_column_int(get.get(), 4);
    return e;
}

bool TEvidenceStore::Any() {
    if (!HasTable()) return false;
    TSqliteStatement any = db_->Prepare("SELECT 1 FROM evidence LIMIT 1", kCannotReadText);
    const int rc = sqlite3_step(any.get());
    if (rc != SQLITE_ROW && rc != SQLITE_DONE) db_->Fail(kCannotReadText, rc);
    return rc == SQLITE_ROW;
}

void TEvidenceStore::Clear() {
    pending_.clear();
    if (!HasTable()) return;
    db_->Exec("DELETE FROM evidence", kCannotSaveText);
}

void TEvidenceStore::Remove(const std::vector<std::int64_t>& records) {
    if (records.empty() || !HasTable()) return;
    TCompanionTransaction transaction(*db_, kCannotSaveText);
    TSqliteStatement remove = db_->Prepare("DELETE FROM evidence WHERE rec = ?1", kCannotSaveText);
    for (const std::int64_t rec : records) {
        sqlite3_bind_int64(remove.get(), 1, rec);
        db_->Run(remove.get(), kCannotSaveText);
    }
    remove.reset();
    transaction.Commit();
}

}  // namespace vxlo
