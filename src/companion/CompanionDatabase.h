#pragma once
// TCompanionDatabase: the SQLite file beside a dictionary (D/main.jsk keeps
// its per-record data in D/main.comments.sqlite). It is the one owner of that
// file: it alone opens, creates and migrates it, and lends the open
// connection to every store (TCompanion), so the window and each command of
// vxlo-tool open it once per dictionary. Every table it holds is one entry of
// ECompanionTable; a table is made when a writer first needs it, whatever the
// file holds already, and schema changes are migrations that keep every row.
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

// Every table of the file. A later table (engine review, settings) is one
// entry here and one row of the table list in CompanionDatabase.cpp.
enum class ECompanionTable {
    Comments, CommentsSearch, Markup, Evidence, Practice, EngineReview, EngineCandidate, Games, GamePasses, GameTails
};

// The error of a failed SQLite call on the store at path: the store's "in
// use by another program" text while another program holds the file, else
// text with SQLite's reason (when the code is not SQLITE_OK).
[[noreturn]] void ThrowStoreFailure(const char* text, int code, const std::string& path);

class TCompanionDatabase {
public:
    enum class EAccess { ReadOnly, ReadWrite };

    static std::string PathFor(const std::string& dictionaryPath);
    static bool ExistsFor(const std::string& dictionaryPath);

    // Opens the file beside the dictionary when it exists. A missing file is
    // not created here: a reader finds every table empty, a writer makes the
    // file with its first table (Ensure or a transaction). Refused with
    // EFileRefused naming the file, which is left as it is: a file that is
    // no SQLite database, one whose table of one of our names has a shape we
    // cannot use, one that holds tables but none of ours. A 0-byte file is an
    // empty database, ours.
    TCompanionDatabase(const std::string& dictionaryPath, EAccess access);
    TCompanionDatabase(const TCompanionDatabase&) = delete;
    TCompanionDatabase& operator=(const TCompanionDatabase&) = delete;

    const std::string& Path() const { return path_; }
    EAccess Access() const { return access_; }
    // ReadWrite access on a file that may be written.
    bool Writable() const;
    // nullptr until the file exists for this connection.
    sqlite3* Handle() const { return db_.get(); }

    // True when the table is in the file (made by any program).
    bool Has(ECompanionTable table);
    // Makes the table (and the file, and the tables it rests on) when
    // missing, or brings an older one up to date, in one transaction. A
    // reader, or a file that cannot be written, raises EFileRefused.
    void Ensure(ECompanionTable table);

    // All raise EFileRefused(failureText + SQLite's reason, Path()); they
    // need the file to be open (Handle() not null).
    void Exec(const char* sql, const char* failureText);
    TSqliteStatement Prepare(const char* sql, const char* failureText);
    // Steps a statement to its end (rows are not expected), then resets it.
    void Run(sqlite3_stmt* statement, const char* failureText);

    [[noreturn]] void Fail(const char* text, int code) const;

private:
    friend class TCompanionTransaction;

    // Opens with flags and reads the schema; SQLite's result of the read.
    int OpenAndProbe(int flags);
    // The writer's connection, made (with the file) when missing.
    void Connect();
    // Refuses a file that is not ours; see the constructor.
    void CheckOwnership();
    // Present, with its tables beneath, and no migration left to do.
    bool UpToDate(ECompanionTable table);
    void RunMigrations(ECompanionTable table);

    std::string path_;
    EAccess access_;
    std::unique_ptr<sqlite3, TSqliteHandleCloser> db_;
    int depth_ = 0;  // open transactions, the outermost first
};

// The open database every store of one dictionary shares.
using TCompanion = std::shared_ptr<TCompanionDatabase>;
TCompanion OpenCompanion(const std::string& dictionaryPath, TCompanionDatabase::EAccess access);

// One write transaction. The outermost one on a connection is BEGIN
// IMMEDIATE ... COMMIT; one begun inside it is a savepoint, so a feature
// writing through two stores commits once. Commit throws when the commit
// fails (disk full, a reader past the busy timeout) and nothing is kept;
// leaving the scope without Commit rolls back. Makes the file when missing;
// a reader's database raises EFileRefused.
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
    bool outermost_;
    bool open_ = true;
};

}  // namespace vxlo
