#pragma once
// TMarkupStore: the board markup of every position in the companion database
// beside the dictionary (the file of the comments, table markup). Puts are
// held until Flush writes them in one transaction, so a merge that also
// writes comments through another connection never waits on itself; pending
// markup not flushed is dropped, never written behind the caller's back.
#include <map>
#include <string>

#include "records/CommentStore.h"
#include "records/Markup.h"

namespace vxlo {

class TMarkupStore final : public IPositionMarkup {
public:
    enum class EOpen { CreateWhenMissing, ReadOnly };
    // Opens the database beside the dictionary (D/main.jsk ->
    // D/main.comments.sqlite). CreateWhenMissing makes a missing one when the
    // first markup is flushed, with an empty comments table too, so the
    // comment window accepts it later. EFileRefused names a file that exists
    // but cannot be used (another program's, damaged).
    TMarkupStore(const std::string& dictionaryPath, EOpen mode);
    TMarkupStore(const TMarkupStore&) = delete;
    TMarkupStore& operator=(const TMarkupStore&) = delete;

    static bool Exists(const std::string& dictionaryPath);
    const std::string& StorePath() const { return path_; }

    bool HasMarkup(int rec) override;
    void PutMarkup(int rec, const TMarkupList& markup) override;
    TMarkupList GetMarkup(int rec) override;

    // Writes what was put in one transaction; EFileRefused when it cannot,
    // and then nothing of it is kept.
    void Flush();
    int PendingCount() const { return static_cast<int>(pending_.size()); }

private:
    void Open(EOpen mode);
    void Connect(bool create);
    void Exec(const char* sql);
    TStatement Prepare(const char* sql);
    TMarkupList Stored(int rec);
    [[noreturn]] void Fail(const char* text, int code);

    std::string path_;
    bool readOnly_ = false;
    // No markup row at open: reads need not ask the database (a merge into
    // a fresh dictionary asks once per position).
    bool storedEmpty_ = true;
    bool tablesMissing_ = false;  // a writer on a file without the markup table yet
    TDatabase db_;
    TStatement select_;
    std::map<int, TMarkupList> pending_;
};

}  // namespace vxlo
