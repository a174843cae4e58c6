#include "records/CommentStore.h"

#include <sqlite3.h>

#include <filesystem>
#include <system_error>

#include "core/VxloError.h"
#include "records/CommentSearch.h"

namespace vxlo {

namespace fs = std::filesystem;

namespace {
constexpr int kBusyTimeoutMs = 500;  // another program writing the shared store
constexpr const char* kStoreSuffix = ".comments.sqlite";
constexpr const char* kCannotOpenText = QT_TRANSLATE_NOOP("vxlo", "コメントファイルを開けません");
constexpr const char* kLockedText = QT_TRANSLATE_NOOP("vxlo", "コメントファイルは他のプログラムが使用中です");
constexpr const char* kReadOnlyText = QT_TRANSLATE_NOOP("vxlo", "コメントファイルに書き込めません");
constexpr const char* kCannotCreateText = QT_TRANSLATE_NOOP("vxlo", "コメントファイルを作成できません");
constexpr const char* kCannotReadText = QT_TRANSLATE_NOOP("vxlo", "コメントを読み込めません");
constexpr const char* kCannotSaveText = QT_TRANSLATE_NOOP("vxlo", "コメントを保存できません");
}  // namespace

TCommentStore::TCommentStore(IMemo& memo) : memo_(&memo) { memo_->SetReadOnly(true); }

TCommentStore::TCommentStore() : memo_(&noMemo_) {}

void TCommentStore::AttachMemo(IMemo& memo) {
    memo_ = &memo;
    memo_->SetReadOnly(db_ == nullptr);
}

TCommentStore::~TCommentStore() = default;

std::string TCommentStore::StorePathFor(const std::string& dictionaryPath) {
    fs::path path(dictionaryPath);
    path.replace_extension();
    path += kStoreSuffix;
    return path.string();
}

void TCommentStore::Fail(const char* text, int code) { ThrowStoreFailure(text, kLockedText, code, path_); }

void TCommentStore::Exec(const char* sql, const char* failureText) {
    const int rc = sqlite3_exec(db_.get(), sql, nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) Fail(failureText, rc);
}

void TCommentStore::BeginBatch() {
    if (!db_) return;
    Exec("BEGIN IMMEDIATE", kCannotCreateText);
    batch_ = true;
}

void TCommentStore::EndBatch() {
    const bool held = batch_;
    batch_ = false;
    if (!db_ || sqlite3_get_autocommit(db_.get())) return;
    if (held) StoreHeld();
    const int rc = sqlite3_exec(db_.get(), "COMMIT", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) Fail(kCannotSaveText, rc);
}

void TCommentStore::StoreHeld() {
    std::map<int, std::string> held;
    held.swap(held_);
    if (held.empty()) return;
    Exec("CREATE TEMP TABLE IF NOT EXISTS held_comments (rec INTEGER PRIMARY KEY, comment TEXT);"
         "DELETE FROM temp.held_comments",
         kCannotSaveText);
    {
        sqlite3_stmt* raw = nullptr;
        int rc = sqlite3_prepare_v2(db_.get(), "INSERT INTO temp.held_comments (rec, comment) VALUES (?1, ?2)",
                                    -1, &raw, nullptr);
        const TStatement insert(raw);
        if (rc != SQLITE_OK) Fail(kCannotSaveText, rc);
        for (const auto& [key, text] : held) {
            sqlite3_reset(raw);
            sqlite3_bind_int(raw, 1, key);
            sqlite3_bind_text(raw, 2, text.data(), static_cast<int>(text.size()), SQLITE_STATIC);
            rc = sqlite3_step(raw);
            if (rc != SQLITE_DONE) Fail(kCannotSaveText, rc);
        }
    }
    // One statement: the search index takes every comment in one go.
    Exec("INSERT INTO comments (rec, comment) SELECT rec, comment FROM temp.held_comments "
         "WHERE true ON CONFLICT (rec) DO UPDATE SET comment = excluded.comment;"
         "DELETE FROM temp.held_comments",
         kCannotSaveText);
}

void TCommentStore::CloseHandles() {
    batch_ = false;
    held_.clear();
    upsert_.reset();
    select_.reset();
    db_.reset();
    row_ = ERow::None;
    rowText_.clear();
}

void TCommentStore::OpenCommentTable(const std::string& dictionaryPath) {
    if (!commentUse_) return;
    Discard();
    path_ = StorePathFor(dictionaryPath);
    std::error_code error;
    const fs::file_status status = fs::symlink_status(path_, error);
    // Only a file that is certainly missing is created; anything else is
    // opened as it is and refused if unusable, never replaced.
    try {
        if (status.type() == fs::file_type::not_found) {
            CreateNew();
        } else {
            OpenExisting();
        }
        // Every writer of the store keeps the search index in step through
        // its triggers; a store from before the index gets it here.
        const int rc = EnsureSearchIndex(db_.get());
        if (rc != SQLITE_OK) Fail(kCannotCreateText, rc);
        PrepareStatements();
    } catch (...) {
        CloseHandles();
        throw;
    }
    memo_->SetReadOnly(false);
}

void TCommentStore::OpenCommentTableForReading(const std::string& dictionaryPath) {
    if (!commentUse_) return;
    Discard();
    path_ = StorePathFor(dictionaryPath);
    try {
        std::error_code error;
        if (fs::is_directory(path_, error)) Fail(kCannotOpenText, SQLITE_CANTOPEN);
        sqlite3* raw = nullptr;
        const int rc = sqlite3_open_v2(path_.c_str(), &raw, SQLITE_OPEN_READONLY, nullptr);
        db_.reset(raw);
        if (rc != SQLITE_OK) Fail(kCannotOpenText, rc);
        sqlite3_busy_timeout(db_.get(), kBusyTimeoutMs);
        PrepareSelect();
    } catch (...) {
        CloseHandles();
        throw;
    }
}

void TCommentStore::OpenExisting() {
    std::error_code error;
    if (fs::is_directory(path_, error)) Fail(kCannotOpenText, SQLITE_CANTOPEN);
    sqlite3* raw = nullptr;
    int rc = sqlite3_open_v2(path_.c_str(), &raw, SQLITE_OPEN_READWRITE, nullptr);
    db_.reset(raw);
    if (rc != SQLITE_OK) Fail(kCannotOpenText, rc);
    sqlite3_busy_timeout(db_.get(), kBusyTimeoutMs);
    if (sqlite3_db_readonly(db_.get(), "main") == 1) Fail(kReadOnlyText, SQLITE_OK);

    // Reading the schema is where a file that is no database shows itself.
    sqlite3_stmt* raw_check = nullptr;
    rc = sqlite3_prepare_v2(db_.get(), "PRAGMA quick_check", -1, &raw_check, nullptr);
    TStatement check(raw_check);
    if (rc != SQLITE_OK) Fail(kCannotOpenText, rc);
    rc = sqlite3_step(check.get());
    if (rc != SQLITE_ROW) Fail(kCannotOpenText, rc);
    const auto* verdict = reinterpret_cast<const char*>(sqlite3_column_text(check.get(), 0));
    if (verdict == nullptr || std::string(verdict) != "ok") Fail(kCannotOpenText, SQLITE_CORRUPT);
    check.reset();

    // A database of no tables (an empty file), or only the practice schedules
    // kept beside the comments, gets the table; one that holds other tables but
    // not ours is somebody else's and is refused.
    sqlite3_stmt* raw_count = nullptr;
    rc = sqlite3_prepare_v2(db_.get(),
                            "SELECT count(CASE WHEN name <> 'practice' THEN 1 END), "
                            "count(CASE WHEN name = 'comments' THEN 1 END) "
                            "FROM sqlite_schema WHERE type = 'table'",
                            -1, &raw_count, nullptr);
    TStatement count(raw_count);
    if (rc != SQLITE_OK) Fail(kCannotOpenText, rc);
    rc = sqlite3_step(count.get());
    if (rc != SQLITE_ROW) Fail(kCannotOpenText, rc);
    const int tables = sqlite3_column_int(count.get(), 0);
    const int ours = sqlite3_column_int(count.get(), 1);
    count.reset();
    if (ours == 0) {
        if (tables != 0) Fail(kCannotOpenText, SQLITE_MISMATCH);
        Exec("CREATE TABLE IF NOT EXISTS comments (rec INTEGER PRIMARY KEY, comment TEXT)", kCannotCreateText);
    }
}

void TCommentStore::CreateNew() {
    sqlite3* raw = nullptr;
    const int rc = sqlite3_open_v2(path_.c_str(), &raw,
                                   SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    db_.reset(raw);
    if (rc != SQLITE_OK) Fail(kCannotCreateText, rc);
    sqlite3_busy_timeout(db_.get(), kBusyTimeoutMs);
    // Two programs may create it at once (main.jsk and main.old).
    Exec("CREATE TABLE IF NOT EXISTS comments (rec INTEGER PRIMARY KEY, comment TEXT)", kCannotCreateText);
}

void TCommentStore::PrepareSelect() {
    sqlite3_stmt* raw = nullptr;
    const int rc = sqlite3_prepare_v2(db_.get(), "SELECT comment FROM comments WHERE rec = ?1", -1,
                                      &raw, nullptr);
    select_.reset(raw);
    if (rc != SQLITE_OK) Fail(kCannotOpenText, rc);
}

void TCommentStore::PrepareStatements() {
    PrepareSelect();
    sqlite3_stmt* raw = nullptr;
    const int rc = sqlite3_prepare_v2(db_.get(),
                            "INSERT INTO comments (rec, comment) VALUES (?1, ?2) "
                            "ON CONFLICT (rec) DO UPDATE SET comment = excluded.comment",
                            -1, &raw, nullptr);
    upsert_.reset(raw);
    if (rc != SQLITE_OK) Fail(kCannotOpenText, rc);
}

bool TCommentStore::Select(int n, std::string& text) {
    if (const auto held = held_.find(n); held != held_.end()) {
        text = held->second;
        return true;
    }
    sqlite3_stmt* s = select_.get();
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
    if (rc != SQLITE_ROW && rc != SQLITE_DONE) Fail(kCannotReadText, rc);
    return found;
}

void TCommentStore::Store(int key, const std::string& text) {
    if (!upsert_) Fail(kReadOnlyText, SQLITE_OK);  // opened for reading
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
    if (rc != SQLITE_DONE) Fail(kCannotSaveText, rc);
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
