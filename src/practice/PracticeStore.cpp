#include "practice/PracticeStore.h"

#include <sqlite3.h>

#include <limits>

#include "core/VxloError.h"

namespace vxlo {

namespace {
constexpr const char* kCannotReadText = QT_TRANSLATE_NOOP("vxlo", "練習の記録を読み込めません");
constexpr const char* kCannotSaveText = QT_TRANSLATE_NOOP("vxlo", "練習の記録を保存できません");
}  // namespace

TPracticeStore::TPracticeStore(TCompanion db) : db_(std::move(db)) {
    if (db_->Access() == TCompanionDatabase::EAccess::ReadWrite) {
        db_->Ensure(ECompanionTable::Practice);
        upsert_ = db_->Prepare("INSERT INTO practice (rec, reps, lapses, interval_days, due) "
                               "VALUES (?1, ?2, ?3, ?4, ?5) ON CONFLICT(rec) DO UPDATE SET "
                               "reps = ?2, lapses = ?3, interval_days = ?4, due = ?5",
                               kCannotSaveText);
    }
    LoadAll();
}

void TPracticeStore::LoadAll() {
    if (!db_->Has(ECompanionTable::Practice)) return;  // a reader's, never practised
    const TStatement all =
        db_->Prepare("SELECT rec, reps, lapses, interval_days, due FROM practice", kCannotReadText);
    int rc;
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
    if (rc != SQLITE_DONE) db_->Fail(kCannotReadText, rc);
}

std::optional<TPracticeCard> TPracticeStore::Find(int rec) const {
    const auto found = cards_.find(rec);
    if (found == cards_.end()) return std::nullopt;
    return found->second;
}

void TPracticeStore::Put(const TPracticeCard& card) {
    if (!upsert_) db_->Fail(kCannotSaveText, SQLITE_READONLY);
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
    if (rc != SQLITE_DONE) db_->Fail(kCannotSaveText, rc);
    cards_[card.rec] = card;
}

}  // namespace vxlo
