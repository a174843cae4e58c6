#pragma once
// The schedules of one dictionary, in the table `practice` of the companion
// database beside it (D/main.jsk: D/main.comments.sqlite), on a connection of
// its own. Every answer is written at once, so quitting loses nothing.
#include <map>
#include <optional>
#include <string>

#include "practice/PracticeSchedule.h"
#include "records/CommentStore.h"

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
    enum class Mode {
        ReadWrite,  // practice: the database and the table are created when missing
        ReadOnly,   // a status query: a missing database or table reads as empty
    };
    // EFileRefused naming the database when it cannot be opened, read or
    // (ReadWrite) given the table; the file is then left as it was.
    TPracticeStore(const std::string& dictionaryPath, Mode mode);

    std::optional<TPracticeCard> Find(int rec) const override;
    // EFileRefused naming the database when the row cannot be written; the
    // card in memory is then left as it was.
    void Put(const TPracticeCard& card) override;

    const std::string& Path() const { return path_; }
    int Count() const { return static_cast<int>(cards_.size()); }

private:
    [[noreturn]] void Fail(const char* text, int code) const;
    void LoadAll();

    std::string path_;
    std::map<int, TPracticeCard> cards_;
    // The statement is declared after the database so it is finalized first.
    TDatabase db_;
    TStatement upsert_;
};

}  // namespace vxlo
