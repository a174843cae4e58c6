#pragma once
// TMarkupStore: the board markup of every position, in the table markup of
// the companion database beside the dictionary. Puts are held until Flush
// writes them in one transaction (a savepoint inside a caller's), and a file
// or table is made only for markup to keep; pending markup not flushed is
// dropped, never written behind the caller's back.
#include <map>
#include <string>

#include "companion/CommentStore.h"
#include "companion/Markup.h"

namespace vxlo {

class TMarkupStore final : public IPositionMarkup {
public:
    // Reads the markup of the database; a reader's database refuses a put.
    explicit TMarkupStore(TCompanion db);
    TMarkupStore(const TMarkupStore&) = delete;
    TMarkupStore& operator=(const TMarkupStore&) = delete;

    const std::string& StorePath() const { return db_->Path(); }

    bool HasMarkup(int rec) override;
    void PutMarkup(int rec, const TMarkupList& markup) override;
    TMarkupList GetMarkup(int rec) override;

    // Writes what was put in one transaction; EFileRefused when it cannot,
    // and then nothing of it is kept.
    void Flush();
    int PendingCount() const { return static_cast<int>(pending_.size()); }

private:
    // Takes the stored markup as the file holds it now.
    void Reload();
    TMarkupList Stored(int rec);

    // No markup row: reads need not ask the database (a merge into a fresh
    // dictionary asks once per position).
    bool storedEmpty_ = true;
    TCompanion db_;
    TStatement select_;
    std::map<int, TMarkupList> pending_;
};

}  // namespace vxlo
