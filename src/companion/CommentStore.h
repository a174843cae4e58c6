#pragma once
// TCommentStore: one free-text comment per position, keyed by the record
// number of the move that leads to it (0 for the empty board), kept in an
// SQLite file beside the dictionary. The comment window's memo is reached
// only through IMemo, so the store runs without a window.
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "navigation/Navigation.h"
#include "companion/CompanionDatabase.h"

namespace vxlo {

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

    // Takes the comments of the dictionary's companion database. A writer's
    // database gets the comments table and its search index when missing
    // (EFileRefused naming the file when it cannot be written, and the file
    // is left as it is); a reader's is only read, a missing table reads as
    // empty, the memo stays read-only and a save is refused.
    void OpenCommentTable(TCompanion db);
    // Takes them for reading only, whatever the database allows (an export).
    void OpenCommentTableForReading(TCompanion db);
    // The memo shows the comment of record n, or an empty new row that is
    // stored only if SaveComment posts it.
    void LocateComment(int n) override;
    // Record n's comment read again, after another handle may have written
    // it (a merge); text typed since the memo was loaded is kept.
    void ReadAgain(int n);
    // Display mode or nothing typed: the pending change is dropped. Otherwise
    // a new row is stored under currentRecord, a found row is updated.
    void SaveComment(int currentRecord, EInputMode inputMode) override;
    // Saves what is pending (as SaveComment does, so a comment typed in
    // recording mode is kept) and closes the store; the memo is emptied.
    void CloseCommentTable(int currentRecord, EInputMode inputMode);
    // Closes without saving (an open that went no further).
    void Discard();

    bool IsOpen() const { return db_ != nullptr; }
    bool Writable() const { return upsert_ != nullptr; }
    // Many saves in one transaction (a merge bringing thousands of comments):
    // one sync to the disk instead of one per comment, and the saves held in
    // memory until the commit, so that the search index takes them in one
    // statement rather than one flush of its own per comment.
    void BeginBatch();
    // Commits the batch (a savepoint when the caller holds a transaction of
    // its own); EFileRefused naming the store when the commit fails (a reader
    // still busy after the wait, a full disk, an I/O error), and then none of
    // the batch is kept.
    void EndBatch();
    const std::string& StorePath() const;
    // The stored text of record n, if it has a row.
    std::optional<std::string> StoredComment(int n);

private:
    enum class ERow { None, Found, Inserting };

    // Row of record n into text; false when there is none.
    bool Select(int n, std::string& text);
    void Store(int key, const std::string& text);
    void StoreHeld();
    void CloseHandles();
    void Open(TCompanion db, bool writing);

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
    // Statements are declared after the database so they are finalized first.
    TCompanion db_;
    TStatement select_;
    TStatement upsert_;

    std::optional<TCompanionTransaction> batch_;
    std::map<int, std::string> held_;  // saves of the batch, by record

    ERow row_ = ERow::None;
    int rowKey_ = 0;          // key of the found row
    std::string rowText_;     // its stored text, restored by a cancel
};

}  // namespace vxlo
