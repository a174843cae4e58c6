#include "companion/CommentStore.h"

#include <sqlite3.h>

#include "core/VxloError.h"

namespace vxlo {

namespace {
constexpr const char* kCannotCreateText = QT_TRANSLATE_NOOP("vxlo", "コメントファイルを作成できません");
constexpr const char* kReadOnlyText = QT_TRANSLATE_NOOP("vxlo", "コメントファイルに書き込めません");
constexpr const char* kCannotReadText = QT_TRANSLATE_NOOP("vxlo", "コメントを読み込めません");
constexpr const char* kCannotSaveText = QT_TRANSLATE_NOOP("vxlo", "コメントを保存できません");
const std::string kNoPath;
}  // namespace

TCommentStore::TCommentStore(IMemo& memo) : memo_(&memo) { memo_->SetReadOnly(true); }

TCommentStore::TCommentStore() : memo_(&noMemo_) {}

void TCommentStore::AttachMemo(IMemo& memo) {
    memo_ = &memo;
    memo_->SetReadOnly(upsert_ == nullptr);
}

TCommentStore::~TCommentStore() = default;

const std::string& TCommentStore::StorePath() const { return db_ ? db_->Path() : kNoPath; }

void TCommentStore::BeginBatch() {
    if (!upsert_) return;
    batch_.emplace(*db_, kCannotSaveText);
}

void TCommentStore::EndBatch() {
    if (!batch_) return;
    try {
        StoreHeld();
        batch_->Commit();
    } catch (...) {
        batch_.reset();  // rolls back: nothing of the batch is kept
        held_.clear();
        throw;
    }
    batch_.reset();
}

void TCommentStore::StoreHeld() {
    std::map<int, std::string> held;
    held.swap(held_);
    if (held.empty()) return;
    db_->Exec("CREATE TEMP TABLE IF NOT EXISTS held_comments (rec INTEGER PRIMARY KEY, comment TEXT);"
              "DELETE FROM temp.held_comments",
              kCannotSaveText);
    {
        const TStatement insert =
            db_->Prepare("INSERT INTO temp.held_comments (rec, comment) VALUES (?1, ?2)", kCannotSaveText);
        for (const auto& [key, text] : held) {
            sqlite3_bind_int(insert.get(), 1, key);
            sqlite3_bind_text(insert.get(), 2, text.data(), static_cast<int>(text.size()), SQLITE_STATIC);
            db_->Run(insert.get(), kCannotSaveText);
        }
    }
    // One statement: the search index takes every comment in one go.
    db_->Exec("INSERT INTO comments (rec, comment) SELECT rec, comment FROM temp.held_comments "
              "WHERE true ON CONFLICT (rec) DO UPDATE SET comment = excluded.comment;"
              "DELETE FROM temp.held_comments",
              kCannotSaveText);
}

void TCommentStore::CloseHandles() {
    batch_.reset();
    held_.clear();
    upsert_.reset();
    select_.reset();
    db_.reset();
    row_ = ERow::None;
    rowText_.clear();
}

void TCommentStore::OpenCommentTable(TCompanion db) {
    const bool writing = db->Access() == TCompanionDatabase::EAccess::ReadWrite;
    Open(std::move(db), writing);
}

void TCommentStore::OpenCommentTableForReading(TCompanion db) { Open(std::move(db), false); }

void TCommentStore::Open(TCompanion db, bool writing) {
    if (!commentUse_) return;
    Discard();
    try {
        db_ = std::move(db);
        if (writing) {
            if (!db_->Writable()) db_->Fail(kReadOnlyText, SQLITE_OK);
            // Every writer of the store keeps the search index in step
            // through its triggers; a store from before the index gets it.
            db_->Ensure(ECompanionTable::CommentsSearch);
            upsert_ = db_->Prepare("INSERT INTO comments (rec, comment) VALUES (?1, ?2) "
                                   "ON CONFLICT (rec) DO UPDATE SET comment = excluded.comment",
                                   kCannotCreateText);
        }
        if (db_->Has(ECompanionTable::Comments))
            select_ = db_->Prepare("SELECT comment FROM comments WHERE rec = ?1", kCannotReadText);
    } catch (...) {
        CloseHandles();
        throw;
    }
    memo_->SetReadOnly(upsert_ == nullptr);
}

bool TCommentStore::Select(int n, std::string& text) {
    if (const auto held = held_.find(n); held != held_.end()) {
        text = held->second;
        return true;
    }
    sqlite3_stmt* s = select_.get();
    if (s == nullptr) return false;  // a reader's store without comments
    sqlite3_reset(s);
    sqlite3_bind_int(s, 1, n);
    const int rc = sqlite3_step(s);
    bool found = false;
    if (rc == SQLITE_ROW) {
        const auto* bytes = static_cast<const char*>(sqlite3_column_blob(s, 0));
        const int size = sqlite3_column_bytes(s, 0);
        text.assign(bytes ? bytes : "", static_cast<std::size_t>(size));
        found = true;
    }
    sqlite3_reset(s);
    if (rc != SQLITE_ROW && rc != SQLITE_DONE) db_->Fail(kCannotReadText, rc);
    return found;
}

void TCommentStore::Store(int key, const std::string& text) {
    if (!upsert_) throw EFileRefused(kReadOnlyText, StorePath());  // opened for reading
    if (batch_) {
        held_[key] = text;
        return;
    }
    sqlite3_stmt* s = upsert_.get();
    sqlite3_reset(s);
    sqlite3_bind_int(s, 1, key);
    sqlite3_bind_text(s, 2, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
    // One statement in autocommit mode: the write is its own transaction.
    const int rc = sqlite3_step(s);
    sqlite3_reset(s);
    sqlite3_clear_bindings(s);
    if (rc != SQLITE_DONE) db_->Fail(kCannotSaveText, rc);
}

void TCommentStore::LocateComment(int n) {
    if (!commentUse_ || !db_) return;
    std::string text;
    if (Select(n, text)) {
        row_ = ERow::Found;
        rowKey_ = n;
        rowText_ = text;
    } else {
        row_ = ERow::Inserting;
        rowText_.clear();
    }
    memo_->Load(rowText_);
}

void TCommentStore::ReadAgain(int n) {
    if (memo_ == nullptr || memo_->Modified()) return;
    LocateComment(n);
}

void TCommentStore::SaveComment(int currentRecord, EInputMode inputMode) {
    if (!commentUse_ || !db_) return;
    if (inputMode == EInputMode::Display || !memo_->Modified()) {
        // The located row stays current, so a later save cannot land on
        // another position's row.
        if (memo_->Modified()) memo_->Load(rowText_);
        return;
    }
    const int key = row_ == ERow::Found ? rowKey_ : currentRecord;
    const std::string text = memo_->Text();
    Store(key, text);
    row_ = ERow::Found;
    rowKey_ = key;
    rowText_ = text;
    memo_->ClearModified();
}

void TCommentStore::CloseCommentTable(int currentRecord, EInputMode inputMode) {
    if (!db_) return;
    try {
        SaveComment(currentRecord, inputMode);
    } catch (...) {
        Discard();
        throw;
    }
    Discard();
}

void TCommentStore::Discard() {
    const bool wasOpen = db_ != nullptr;
    CloseHandles();
    if (wasOpen) {
        memo_->Load("");
        memo_->SetReadOnly(true);
    }
}

std::optional<std::string> TCommentStore::StoredComment(int n) {
    if (!db_) return std::nullopt;
    std::string text;
    if (!Select(n, text)) return std::nullopt;
    return text;
}

}  // namespace vxlo
