#pragma once
// TCommentStore: one free-text comment per position, keyed by the record
// number of the move that leads to it (0 for the empty board), kept in an
// SQLite file beside the dictionary. The comment window's memo is reached
// only through IMemo, so the store runs without a window.
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "mainwindow/Navigation.h"
#include "records/CompanionDatabase.h"

struct sqlite3;
struct sqlite3_stmt;

namespace vxlo {

// The handles every store of the companion database holds.
using TDatabase = std::unique_ptr<sqlite3, TSqliteHandleCloser>;
using TStatement = TSqliteStatement;

// The memo that shows and edits the comment of the current position.
class IMemo {
public:
    virtual ~IMemo() = default;
    virtual std::string Text() const = 0;
    // Shows a text as loaded from the store: the modified flag is cleared.
    virtual void Load(const std::string& text) = 0;
    // True once the user has typed since the last Load or ClearModified.
    virtual bool Modified() const = 0;
    virtual void ClearModified() = 0;
    // Read-only while no comment table is open, so nothing is typed in vain.
    virtual void SetReadOnly(bool readOnly) = 0;
};

class TCommentStore final : public ICommentStore {
public:
    explicit TCommentStore(IMemo& memo);
    // Without a memo until AttachMemo: the comment window comes after the
    // main window that owns the store.
    TCommentStore();
    void AttachMemo(IMemo& memo);
    ~TCommentStore() override;
    TCommentStore(const TCommentStore&) = delete;
    TCommentStore& operator=(const TCommentStore&) = delete;

    // CommentUse; while off every operation does nothing.
    void SetCommentUse(bool on) { commentUse_ = on; }
    bool CommentUse() const { return commentUse_; }

    // D/main.jsk (and D/main.old) keep their comments in D/main.comments.sqlite.
    static std::string StorePathFor(const std::string& dictionaryPath);

    // Opens the store of a dictionary, creating it empty when the file is
    // missing. An existing file that cannot be used (locked, damaged, not a
    // database, read-only) raises EFileRefused naming it and is left as it is.
    void OpenCommentTable(const std::string& dictionaryPath);
    // Opens an existing store for reading only (nothing is created or
    // changed, a read-only file will do); the memo stays read-only and a save
    // is refused. EFileRefused naming the store when it cannot be read.
    void OpenCommentTableForReading(const std::string& dictionaryPath);
    // The memo shows the comment of record n, or an empty new row that is
    // stored only if SaveComment posts it.
    void LocateComment(int n) override;
    // Display mode or nothing typed: the pending change is dropped. Otherwise
    // a new row is stored under currentRecord, a found row is updated.
    void SaveComment(int currentRecord, EInputMode inputMode) override;
    // Saves what is pending (as SaveComment does, so a comment typed in
    // recording mode is kept) and closes the store; the memo is emptied.
    void CloseCommentTable(int currentRecord, EInputMode inputMode);
    // Closes without saving (an open that went no further).
    void Discard();

    bool IsOpen() const { return db_ != nullptr; }
    // Many saves in one transaction (a merge bringing thousands of comments):
    // one sync to the disk instead of one per comment, and the saves held in
    // memory until the commit, so that the search index takes them in one
    // statement rather than one flush of its own per comment.
    void BeginBatch();
    // Commits the batch; EFileRefused naming the store when the commit fails
    // (a reader still busy after the wait, a full disk, an I/O error).
    void EndBatch();
    const std::string& StorePath() const { return path_; }
    // The stored text of record n, if it has a row.
    std::optional<std::string> StoredComment(int n);

private:
    enum class ERow { None, Found, Inserting };

    void OpenExisting();
    void CreateNew();
    void PrepareSelect();
    void PrepareStatements();
    // Row of record n into text; false when there is none.
    bool Select(int n, std::string& text);
    void Store(int key, const std::string& text);
    void StoreHeld();
    void Exec(const char* sql, const char* failureText);
    void CloseHandles();
    [[noreturn]] void Fail(const char* text, int code);

    class TNoMemo final : public IMemo {
    public:
        std::string Text() const override { return {}; }
        void Load(const std::string&) override {}
        bool Modified() const override { return false; }
        void ClearModified() override {}
        void SetReadOnly(bool) override {}
    };
    TNoMemo noMemo_;
    IMemo* memo_;
    bool commentUse_ = false;
    std::string path_;
    // Statements are declared after the database so they are finalized first.
    TDatabase db_;
    TStatement select_;
    TStatement upsert_;

    bool batch_ = false;
    std::map<int, std::string> held_;  // saves of the batch, by record

    ERow row_ = ERow::None;
    int rowKey_ = 0;          // key of the found row
    std::string rowText_;     // its stored text, restored by a cancel
};

}  // namespace vxlo
