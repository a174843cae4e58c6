#pragma once
// TRecordSet: a set of the record numbers of one file, kept as bits in blocks
// that are made when a member of theirs is first added, so that a few records
// of a huge file cost a few blocks. Once complete, each member's rank (the
// members below it) is found at once: the place of its data in an array
// kept in record order.
#include <cstdint>
#include <vector>

namespace vxlo {

class TRecordSet {
public:
    TRecordSet() = default;
    // For the records 0 .. count - 1.
    explicit TRecordSet(std::int64_t count);

    // Adds record n (within the count); false when it was a member already.
    // Not after Complete.
    bool Insert(std::int64_t n);
    // Counts the ranks; nothing is inserted afterwards.
    void Complete();

    bool Contains(std::int64_t n) const;
    // The members below member n; only after Complete.
    std::int64_t Rank(std::int64_t n) const;
    std::int64_t Size() const { return size_; }

private:
    static constexpr std::int64_t kBlockBits = 1 << 16;
    static constexpr std::size_t kBlockWords = kBlockBits / 64;
    struct TBlock {
        std::vector<std::uint64_t> words;   // empty while the block has no member
        std::vector<std::uint32_t> before;  // members in the words before each word
        std::int64_t base = 0;              // members in the blocks before
    };

    std::int64_t count_ = 0;
    std::int64_t size_ = 0;
    std::vector<TBlock> blocks_;
};

}  // namespace vxlo
