#include "records/CompanionDatabase.h"

#include <sqlite3.h>

#include <filesystem>
#include <system_error>

#include "core/VxloError.h"

namespace vxlo {

namespace fs = std::filesystem;

namespace {
// Long enough to wait out another program's short write or a reader's
// snapshot, short enough that the user is told instead of left waiting.
constexpr int kBusyTimeoutMs = 2000;
constexpr const char* kStoreSuffix = ".comments.sqlite";
constexpr const char* kCannotOpenText = QT_TRANSLATE_NOOP("vxlo", "コメントファイルを開けません");
constexpr const char* kLockedText = QT_TRANSLATE_NOOP("vxlo", "コメントファイルは他のプログラムが使用中です");
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

TCompanionDatabase::TCompanionDatabase(const std::string& dictionaryPath, EAccess access)
    : path_(PathFor(dictionaryPath)) {
    std::error_code error;
    if (fs::is_directory(path_, error)) Fail(kCannotOpenText, SQLITE_CANTOPEN);
    int step = OpenAndProbe(access == EAccess::ReadOnly ? SQLITE_OPEN_READONLY
                                                        : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
    // A program killed in the middle of a write leaves a journal that only a
    // writer can roll back; a reader may do that much, or it could never read
    // the file again until the window opened it.
    if (access == EAccess::ReadOnly && (step & 0xff) == SQLITE_READONLY)
        step = OpenAndProbe(SQLITE_OPEN_READWRITE);
    if (step != SQLITE_ROW) Fail(kCannotOpenText, step);
}

int TCompanionDatabase::OpenAndProbe(int flags) {
    db_.reset();
    sqlite3* raw = nullptr;
    const int rc = sqlite3_open_v2(path_.c_str(), &raw, flags, nullptr);
    db_.reset(raw);
    if (rc != SQLITE_OK) Fail(kCannotOpenText, rc);
    sqlite3_extended_result_codes(db_.get(), 1);
    sqlite3_busy_timeout(db_.get(), kBusyTimeoutMs);
    // Reading the schema is where a file that is no database shows itself.
    sqlite3_stmt* raw_probe = nullptr;
    const int prepared = sqlite3_prepare_v2(db_.get(), "SELECT count(*) FROM sqlite_schema", -1,
                                            &raw_probe, nullptr);
    TSqliteStatement probe(raw_probe);
    return prepared != SQLITE_OK ? prepared : sqlite3_step(probe.get());
}

void ThrowStoreFailure(const char* text, const char* lockedText, int code, const std::string& path) {
    // Extended codes keep the primary code in their low byte.
    if ((code & 0xff) == SQLITE_BUSY || (code & 0xff) == SQLITE_LOCKED) throw EFileRefused(lockedText, path);
    if (code != SQLITE_OK) throw EFileRefused(WithReason(text, sqlite3_errstr(code)), path);
    throw EFileRefused(text, path);
}

void TCompanionDatabase::Fail(const char* text, int code) const { ThrowStoreFailure(text, kLockedText, code, path_); }

void TCompanionDatabase::Exec(const char* sql, const char* failureText) {
    const int rc = sqlite3_exec(db_.get(), sql, nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) Fail(failureText, rc);
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

bool TCompanionDatabase::HasTable(const char* name) {
    TSqliteStatement query = Prepare(
        "SELECT 1 FROM sqlite_schema WHERE type = 'table' AND name = ?1", kCannotOpenText);
    sqlite3_bind_text(query.get(), 1, name, -1, SQLITE_STATIC);
    const int rc = sqlite3_step(query.get());
    if (rc != SQLITE_ROW && rc != SQLITE_DONE) Fail(kCannotOpenText, rc);
    return rc == SQLITE_ROW;
}

TCompanionTransaction::TCompanionTransaction(TCompanionDatabase& db, const char* failureText)
    : db_(db), failureText_(failureText) {
    db_.Exec("BEGIN IMMEDIATE", failureText_);
}

TCompanionTransaction::~TCompanionTransaction() {
    // Only reached without Commit when an error is already on its way up.
    if (open_) sqlite3_exec(db_.Handle(), "ROLLBACK", nullptr, nullptr, nullptr);
}

void TCompanionTransaction::Commit() {
    const int rc = sqlite3_exec(db_.Handle(), "COMMIT", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) db_.Fail(failureText_, sqlite3_extended_errcode(db_.Handle()));  // the destructor rolls back
    open_ = false;
}

}  // namespace vxlo
