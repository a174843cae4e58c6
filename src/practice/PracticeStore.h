#pragma once
// The schedules of one dictionary, in the table `practice` of the companion
// database beside it (D/main.jsk: D/main.comments.sqlite). Every answer is
// written at once, so quitting loses nothing.
#include <map>
#include <optional>
#include <string>

#include "practice/PracticeSchedule.h"
#include "companion/CommentStore.h"

namespace vxlo {

// The schedules as practice reads and writes them.
class IPracticeCards {
public:
    virtual ~IPracticeCards() = default;
    virtual std::optional<TPracticeCard> Find(int rec) const = 0;
    // Returns only once the card is stored.
    virtual void Put(const TPracticeCard& card) = 0;
};

class TPracticeStore final : public IPracticeCards {
public:
    // A writer's database gets the table at once (a practice learns before
    // its first answer that it can keep them); a reader's missing table
    // reads as empty. EFileRefused naming the database when it cannot be
    // read or given the table; the file is then left as it was.
    explicit TPracticeStore(TCompanion db);

    std::optional<TPracticeCard> Find(int rec) const override;
    // EFileRefused naming the database when the row cannot be written; the
    // card in memory is then left as it was.
    void Put(const TPracticeCard& card) override;

    const std::string& Path() const { return db_->Path(); }
    int Count() const { return static_cast<int>(cards_.size()); }

private:
    void LoadAll();

    std::map<int, TPracticeCard> cards_;
    // The statement is declared after the database so it is finalized first.
    TCompanion db_;
    TStatement upsert_;
};

}  // namespace vxlo
