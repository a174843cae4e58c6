#pragma once
// The comments that SGF merge and export read and write, keyed like the
// comment store: the record number of the move that leads to a position, 0 for
// the empty board. The comment store of the records window can implement it.
#include <map>
#include <optional>
#include <string>

namespace vxlo {

class ISgfComments {
public:
    virtual ~ISgfComments() = default;
    virtual bool HasComment(int rec) = 0;
    virtual void PutComment(int rec, const std::string& text) = 0;
    // The comment kept under rec; nullopt when the position has none.
    virtual std::optional<std::string> GetComment(int rec) = 0;
    // Makes every comment put so far durable; raises, naming the store, when
    // that fails. Called before any success is reported.
    virtual void Commit() {}
};

// Comments held in memory (tests, the command-line tool without a store).
class TMemorySgfComments final : public ISgfComments {
public:
    bool HasComment(int rec) override { return comments_.count(rec) > 0; }
    void PutComment(int rec, const std::string& text) override { comments_[rec] = text; }
    std::optional<std::string> GetComment(int rec) override {
        const auto it = comments_.find(rec);
        if (it == comments_.end()) return std::nullopt;
        return it->second;
    }
    const std::map<int, std::string>& All() const { return comments_; }
private:
    std::map<int, std::string> comments_;
};

}  // namespace vxlo
