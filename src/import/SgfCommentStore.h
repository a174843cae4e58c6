#pragma once
// The comments of a dictionary's comment store as the SGF merge and export
// use them. It drives a comment store of its own on the shared database
// through the store's public locate-and-save path, with a memo of its own,
// so the comment window's memo is never disturbed.
#include <optional>
#include <string>

#include "import/SgfComments.h"
#include "companion/CommentStore.h"

namespace vxlo {

class TSgfCommentStore final : public ISgfComments {
public:
    // The comments of the companion database. ReadWrite on a writer's
    // database makes the comments table when missing, and the comments put
    // wait in one transaction (a savepoint inside a caller's) for Commit;
    // otherwise (an export) they are only read.
    enum class EAccess { ReadWrite, ReadOnly };
    explicit TSgfCommentStore(TCompanion db, EAccess access = EAccess::ReadWrite);
    // Without a Commit (an error ends the merge) what was put so far is
    // committed if it can be: it belongs to moves already in the dictionary,
    // and the error that ended the merge is what the user is told. After a
    // failed Commit nothing is kept, so that "not stored" stays true.
    ~TSgfCommentStore() override;
    TSgfCommentStore(const TSgfCommentStore&) = delete;
    TSgfCommentStore& operator=(const TSgfCommentStore&) = delete;

    // An empty stored text counts as no comment.
    bool HasComment(int rec) override;
    void PutComment(int rec, const std::string& text) override;
    std::optional<std::string> GetComment(int rec) override;
    // EFileRefused naming the store when the commit fails (busy past the
    // wait, disk full, I/O error): the comments were not stored, the moves
    // already merged stay.
    void Commit() override;

private:
    class TMemo final : public IMemo {
    public:
        std::string Text() const override { return text_; }
        void Load(const std::string& text) override {
            text_ = text;
            modified_ = false;
        }
        bool Modified() const override { return modified_; }
        void ClearModified() override { modified_ = false; }
        void SetReadOnly(bool) override {}
        void Type(const std::string& text) {
            text_ = text;
            modified_ = true;
        }
    private:
        std::string text_;
        bool modified_ = false;
    };

    enum class ECommit { Pending, Done, Failed };
    TMemo memo_;
    TCommentStore store_;
    ECommit commit_ = ECommit::Pending;
};

}  // namespace vxlo
