#pragma once
// TCompanionDatabase: the SQLite file beside a dictionary (D/main.jsk keeps
// its per-record data in D/main.comments.sqlite). Each store opens its own
// connection through this class, creates its tables with CREATE TABLE IF NOT
// EXISTS (a schema change never drops data) and writes in transactions that
// are committed explicitly, so a failed commit is an error, not a silent loss.
#include <memory>
#include <string>

struct sqlite3;
struct sqlite3_stmt;

namespace vxlo {

struct TSqliteHandleCloser {
    void operator()(sqlite3* db) const;
};
struct TSqliteStatementFinalizer {
    void operator()(sqlite3_stmt* statement) const;
};
using TSqliteStatement = std::unique_ptr<sqlite3_stmt, TSqliteStatementFinalizer>;

// The error of a failed SQLite call on the store at path: lockedText while
// another program holds the file, else text with SQLite's reason (when the
// code is not SQLITE_OK).
[[noreturn]] void ThrowStoreFailure(const char* text, const char* lockedText, int code, const std::string& path);

class TCompanionDatabase {
public:
    enum class EAccess { ReadOnly, ReadWrite };

    static std::string PathFor(const std::string& dictionaryPath);
    // True when the file beside the dictionary exists (read-only users skip
    // a missing one instead of creating it).
    static bool ExistsFor(const std::string& dictionaryPath);

    // Opens the companion file of the dictionary; ReadWrite creates it when
    // missing. A file that exists but is no usable database is left as it is
    // and refused with EFileRefused naming it.
    TCompanionDatabase(const std::string& dictionaryPath, EAccess access);

    sqlite3* Handle() const { return db_.get(); }
    const std::string& Path() const { return path_; }

    // Both raise EFileRefused(failureText + SQLite's reason, Path()).
    void Exec(const char* sql, const char* failureText);
    TSqliteStatement Prepare(const char* sql, const char* failureText);
    // Steps a statement to its end; rows are not expected.
    void Run(sqlite3_stmt* statement, const char* failureText);
    bool HasTable(const char* name);

    [[noreturn]] void Fail(const char* text, int code) const;

private:
    // Opens with flags and reads the schema; SQLite's result of the read.
    int OpenAndProbe(int flags);

    std::string path_;
    std::unique_ptr<sqlite3, TSqliteHandleCloser> db_;
};

// One write transaction; Commit ends it and throws on failure (disk full, a
// reader past the busy timeout). Leaving the scope without Commit rolls back.
class TCompanionTransaction {
public:
    TCompanionTransaction(TCompanionDatabase& db, const char* failureText);
    ~TCompanionTransaction();
    TCompanionTransaction(const TCompanionTransaction&) = delete;
    TCompanionTransaction& operator=(const TCompanionTransaction&) = delete;
    void Commit();

private:
    TCompanionDatabase& db_;
    const char* failureText_;
    bool open_ = true;
};

}  // namespace vxlo
