#include "companion/EngineReviewStore.h"

#include <sqlite3.h>

#include "core/Message.h"

namespace vxlo {

namespace {
constexpr const char* kCannotSaveText = QT_TRANSLATE_NOOP("vxlo", "エンジンの評価を保存できません");
constexpr const char* kCannotReadText = QT_TRANSLATE_NOOP("vxlo", "エンジンの評価を読み込めません");

std::string Column(sqlite3_stmt* statement, int column) {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
    return text ? text : "";
}
}  // namespace

TEngineReviewStore::TEngineReviewStore(TCompanion db) : db_(std::move(db)) {}

bool TEngineReviewStore::HasTable() {
    if (!hasTable_) hasTable_ = db_->Has(ECompanionTable::EngineReview) && db_->Has(ECompanionTable::EngineCandidate);
    return hasTable_;
}

std::optional<TStoredReview> TEngineReviewStore::Get(int rec) {
    if (!HasTable()) return std::nullopt;
    TSqliteStatement get = db_->Prepare(
        "SELECT score_lead, winrate, visits, engine, network, reviewed FROM engine_review WHERE rec = ?1",
        kCannotReadText);
    sqlite3_bind_int(get.get(), 1, rec);
    const int rc = sqlite3_step(get.get());
    if (rc == SQLITE_DONE) return std::nullopt;
    if (rc != SQLITE_ROW) db_->Fail(kCannotReadText, rc);
    TStoredReview r;
    r.rec = rec;
    r.scoreLead = sqlite3_column_double(get.get(), 0);
    r.winrate = sqlite3_column_double(get.get(), 1);
    r.visits = sqlite3_column_int(get.get(), 2);
    r.engine = Column(get.get(), 3);
    r.network = Column(get.get(), 4);
    r.date = Column(get.get(), 5);
    TSqliteStatement figures = db_->Prepare(
        "SELECT missing, x, y, points_lost, visits FROM engine_candidate WHERE rec = ?1 ORDER BY missing, rank",
        kCannotReadText);
    sqlite3_bind_int(figures.get(), 1, rec);
    int step;
    while ((step = sqlite3_step(figures.get())) == SQLITE_ROW) {
        const TStoredMoveFigure f{{sqlite3_column_int(figures.get(), 1), sqlite3_column_int(figures.get(), 2)},
                                  sqlite3_column_double(figures.get(), 3), sqlite3_column_int(figures.get(), 4)};
        (sqlite3_column_int(figures.get(), 0) ? r.missing : r.candidates).push_back(f);
    }
    if (step != SQLITE_DONE) db_->Fail(kCannotReadText, step);
    return r;
}

int TEngineReviewStore::Put(const std::vector<TStoredReview>& reviews) {
    if (reviews.empty()) return 0;
    TCompanionTransaction transaction(*db_, kCannotSaveText);
    db_->Ensure(ECompanionTable::EngineCandidate);
    TSqliteStatement stored = db_->Prepare("SELECT visits FROM engine_review WHERE rec = ?1", kCannotSaveText);
    TSqliteStatement put = db_->Prepare(
        "INSERT OR REPLACE INTO engine_review (rec, score_lead, winrate, visits, engine, network, reviewed) "
        "VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7)",
        kCannotSaveText);
    TSqliteStatement clear = db_->Prepare("DELETE FROM engine_candidate WHERE rec = ?1", kCannotSaveText);
    TSqliteStatement figure = db_->Prepare(
        "INSERT INTO engine_candidate (rec, missing, rank, x, y, points_lost, visits) "
        "VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7)",
        kCannotSaveText);
    int count = 0;
    for (const TStoredReview& r : reviews) {
        sqlite3_bind_int(stored.get(), 1, r.rec);
        const int rc = sqlite3_step(stored.get());
        if (rc != SQLITE_ROW && rc != SQLITE_DONE) db_->Fail(kCannotSaveText, rc);
        const bool better = rc == SQLITE_ROW && sqlite3_column_int(stored.get(), 0) > r.visits;
        sqlite3_reset(stored.get());
        if (better) continue;
        sqlite3_bind_int(put.get(), 1, r.rec);
        sqlite3_bind_double(put.get(), 2, r.scoreLead);
        sqlite3_bind_double(put.get(), 3, r.winrate);
        sqlite3_bind_int(put.get(), 4, r.visits);
        sqlite3_bind_text(put.get(), 5, r.engine.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(put.get(), 6, r.network.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(put.get(), 7, r.date.c_str(), -1, SQLITE_TRANSIENT);
        db_->Run(put.get(), kCannotSaveText);
        sqlite3_bind_int(clear.get(), 1, r.rec);
        db_->Run(clear.get(), kCannotSaveText);
        for (const bool missing : {false, true}) {
            const std::vector<TStoredMoveFigure>& list = missing ? r.missing : r.candidates;
            for (std::size_t i = 0; i < list.size(); ++i) {
                sqlite3_bind_int(figure.get(), 1, r.rec);
                sqlite3_bind_int(figure.get(), 2, missing ? 1 : 0);
                sqlite3_bind_int(figure.get(), 3, static_cast<int>(i));
                sqlite3_bind_int(figure.get(), 4, list[i].move.x);
                sqlite3_bind_int(figure.get(), 5, list[i].move.y);
                sqlite3_bind_double(figure.get(), 6, list[i].pointsLost);
                sqlite3_bind_int(figure.get(), 7, list[i].visits);
                db_->Run(figure.get(), kCannotSaveText);
            }
        }
        ++count;
    }
    stored.reset();
    put.reset();
    clear.reset();
    figure.reset();
    transaction.Commit();
    hasTable_ = true;
    return count;
}

bool TEngineReviewStore::Any() {
    if (!HasTable()) return false;
    TSqliteStatement any = db_->Prepare("SELECT 1 FROM engine_review LIMIT 1", kCannotReadText);
    const int rc = sqlite3_step(any.get());
    if (rc != SQLITE_ROW && rc != SQLITE_DONE) db_->Fail(kCannotReadText, rc);
    return rc == SQLITE_ROW;
}

}  // namespace vxlo
