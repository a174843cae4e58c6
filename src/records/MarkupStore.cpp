#include "records/MarkupStore.h"

#include <sqlite3.h>

#include <filesystem>
#include <system_error>

#include "core/VxloError.h"
#include "records/CompanionDatabase.h"

namespace vxlo {

namespace fs = std::filesystem;

namespace {
constexpr int kBusyTimeoutMs = 2000;
constexpr const char* kCannotOpenText = QT_TRANSLATE_NOOP("vxlo", "マークのファイルを開けません");
constexpr const char* kCannotSaveText = QT_TRANSLATE_NOOP("vxlo", "マークを保存できません");
constexpr const char* kLockedText = QT_TRANSLATE_NOOP("vxlo", "コメントファイルは他のプログラムが使用中です");
constexpr const char* kCreateMarkup =
    "CREATE TABLE IF NOT EXISTS markup (rec INTEGER NOT NULL, kind INTEGER NOT NULL, "
    "x INTEGER NOT NULL, y INTEGER NOT NULL, label TEXT)";
constexpr const char* kCreateMarkupIndex =
    "CREATE INDEX IF NOT EXISTS markup_rec ON markup (rec)";
constexpr const char* kCreateComments =
    "CREATE TABLE IF NOT EXISTS comments (rec INTEGER PRIMARY KEY, comment TEXT)";
}  // namespace

std::string_view SgfMarkupProperty(EMarkupKind kind) {
    switch (kind) {
    case EMarkupKind::Label: return "LB";
    case EMarkupKind::Triangle: return "TR";
    case EMarkupKind::Square: return "SQ";
    case EMarkupKind::Circle: return "CR";
    case EMarkupKind::Cross: return "MA";
    }
    return "";
}

bool MarkupKindOfProperty(std::string_view name, EMarkupKind& kind) {
    for (EMarkupKind k : kAllMarkupKinds) {
        if (SgfMarkupProperty(k) == name) {
            kind = k;
            return true;
        }
    }
    return false;
}

bool MarkupKindFromNumber(int number, EMarkupKind& kind) {
    if (number < 1 || number > 5) return false;
    kind = static_cast<EMarkupKind>(number);
    return true;
}

TMarkupStore::TMarkupStore(const std::string& dictionaryPath, EOpen mode)
    : path_(TCommentStore::StorePathFor(dictionaryPath)) {
    Open(mode);
}

bool TMarkupStore::Exists(const std::string& dictionaryPath) {
    std::error_code ec;
    return fs::exists(TCommentStore::StorePathFor(dictionaryPath), ec);
}

void TMarkupStore::Fail(const char* text, int code) { ThrowStoreFailure(text, kLockedText, code, path_); }

void TMarkupStore::Exec(const char* sql) {
    const int rc = sqlite3_exec(db_.get(), sql, nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) Fail(kCannotSaveText, rc);
}

TStatement TMarkupStore::Prepare(const char* sql) {
    sqlite3_stmt* raw = nullptr;
    const int rc = sqlite3_prepare_v2(db_.get(), sql, -1, &raw, nullptr);
    TStatement statement(raw);
    if (rc != SQLITE_OK) Fail(kCannotOpenText, rc);
    return statement;
}

void TMarkupStore::Open(EOpen mode) {
    std::error_code error;
    const fs::file_status status = fs::symlink_status(path_, error);
    const bool missing = status.type() == fs::file_type::not_found;
    if (fs::is_directory(path_, error)) Fail(kCannotOpenText, SQLITE_CANTOPEN);
    readOnly_ = mode == EOpen::ReadOnly;
    // Nothing stored: every position is bare, and a file is made only for
    // markup to keep.
    if (missing) return;
    Connect(false);
}

void TMarkupStore::Connect(bool create) {
    int flags = readOnly_ ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE;
    if (create) flags |= SQLITE_OPEN_CREATE;
    sqlite3* raw = nullptr;
    const int rc = sqlite3_open_v2(path_.c_str(), &raw, flags, nullptr);
    db_.reset(raw);
    if (rc != SQLITE_OK) Fail(kCannotOpenText, rc);
    sqlite3_busy_timeout(db_.get(), kBusyTimeoutMs);

    // The same rule as the comments: a database with tables, none of them
    // ours, belongs to somebody else.
    TStatement count = Prepare(
        "SELECT count(*), count(CASE WHEN name IN ('comments', 'markup') THEN 1 END), "
        "count(CASE WHEN name = 'markup' THEN 1 END) FROM sqlite_schema WHERE type = 'table'");
    const int step = sqlite3_step(count.get());
    if (step != SQLITE_ROW) Fail(kCannotOpenText, step);
    const int tables = sqlite3_column_int(count.get(), 0);
    const int ours = sqlite3_column_int(count.get(), 1);
    const bool hasMarkup = sqlite3_column_int(count.get(), 2) > 0;
    count.reset();
    if (tables > 0 && ours == 0) Fail(kCannotOpenText, SQLITE_MISMATCH);
    if (!hasMarkup) {
        // Nothing to show yet; a writer makes the table with the first markup
        // it keeps, so opening never waits for another program's readers.
        if (readOnly_) db_.reset();
        tablesMissing_ = !readOnly_;
        storedEmpty_ = true;
        return;
    }
    select_ = Prepare("SELECT kind, x, y, label FROM markup WHERE rec = ?1 ORDER BY rowid");
    TStatement any = Prepare("SELECT EXISTS (SELECT 1 FROM markup)");
    const int found = sqlite3_step(any.get());
    if (found != SQLITE_ROW) Fail(kCannotOpenText, found);
    storedEmpty_ = sqlite3_column_int(any.get(), 0) == 0;
}

TMarkupList TMarkupStore::Stored(int rec) {
    TMarkupList list;
    if (!db_ || storedEmpty_) return list;
    sqlite3_stmt* s = select_.get();
    sqlite3_reset(s);
    sqlite3_bind_int(s, 1, rec);
    int rc = SQLITE_ROW;
    while ((rc = sqlite3_step(s)) == SQLITE_ROW) {
        TMarkup m;
        if (!MarkupKindFromNumber(sqlite3_column_int(s, 0), m.kind)) continue;
        m.x = sqlite3_column_int(s, 1);
        m.y = sqlite3_column_int(s, 2);
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(s, 3));
        if (text) m.label = text;
        list.push_back(std::move(m));
    }
    sqlite3_reset(s);
    if (rc != SQLITE_DONE) Fail(kCannotOpenText, rc);
    return list;
}

bool TMarkupStore::HasMarkup(int rec) {
    const auto it = pending_.find(rec);
    if (it != pending_.end()) return !it->second.empty();
    return !Stored(rec).empty();
}

void TMarkupStore::PutMarkup(int rec, const TMarkupList& markup) {
    if (readOnly_) throw EFileRefused(kCannotSaveText, path_);
    pending_[rec] = markup;
}

TMarkupList TMarkupStore::GetMarkup(int rec) {
    const auto it = pending_.find(rec);
    if (it != pending_.end()) return it->second;
    return Stored(rec);
}

void TMarkupStore::Flush() {
    if (pending_.empty()) return;
    std::map<int, TMarkupList> pending;
    pending.swap(pending_);
    if (!db_) {
        bool any = false;
        for (const auto& entry : pending) any = any || !entry.second.empty();
        if (!any) return;
        Connect(true);
    }
    Exec("BEGIN IMMEDIATE");
    try {
        if (tablesMissing_) {
            Exec(kCreateComments);
            Exec(kCreateMarkup);
            Exec(kCreateMarkupIndex);
        }
        TStatement remove = Prepare("DELETE FROM markup WHERE rec = ?1");
        TStatement insert = Prepare("INSERT INTO markup (rec, kind, x, y, label) VALUES (?1, ?2, ?3, ?4, ?5)");
        for (const auto& [rec, list] : pending) {
            int rc = SQLITE_DONE;
            if (!storedEmpty_) {
                sqlite3_reset(remove.get());
                sqlite3_bind_int(remove.get(), 1, rec);
                rc = sqlite3_step(remove.get());
                if (rc != SQLITE_DONE) Fail(kCannotSaveText, rc);
            }
            for (const TMarkup& m : list) {
                sqlite3_stmt* s = insert.get();
                sqlite3_reset(s);
                sqlite3_bind_int(s, 1, rec);
                sqlite3_bind_int(s, 2, static_cast<int>(m.kind));
                sqlite3_bind_int(s, 3, m.x);
                sqlite3_bind_int(s, 4, m.y);
                if (m.kind == EMarkupKind::Label) {
                    sqlite3_bind_text(s, 5, m.label.data(), static_cast<int>(m.label.size()),
                                      SQLITE_TRANSIENT);
                } else {
                    sqlite3_bind_null(s, 5);
                }
                rc = sqlite3_step(s);
                if (rc != SQLITE_DONE) Fail(kCannotSaveText, rc);
            }
        }
        remove.reset();
        insert.reset();
        Exec("COMMIT");
        storedEmpty_ = false;
        if (tablesMissing_) {
            tablesMissing_ = false;
            select_ = Prepare("SELECT kind, x, y, label FROM markup WHERE rec = ?1 ORDER BY rowid");
        }
    } catch (...) {
        sqlite3_exec(db_.get(), "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
}

}  // namespace vxlo
