#include "dictionary/RecordSet.h"

#include <bit>

namespace vxlo {

TRecordSet::TRecordSet(std::int64_t count)
    : count_(count), blocks_(static_cast<std::size_t>(count > 0 ? (count - 1) / kBlockBits + 1 : 0)) {}

bool TRecordSet::Insert(std::int64_t n) {
    TBlock& block = blocks_[static_cast<std::size_t>(n / kBlockBits)];
    if (block.words.empty()) block.words.assign(kBlockWords, 0);
    const std::int64_t bit = n % kBlockBits;
    std::uint64_t& word = block.words[static_cast<std::size_t>(bit / 64)];
    const std::uint64_t mask = std::uint64_t{1} << (bit % 64);
    if ((word & mask) != 0) return false;
    word |= mask;
    ++size_;
    return true;
}

void TRecordSet::Complete() {
    std::int64_t base = 0;
    for (TBlock& block : blocks_) {
        block.base = base;
        if (block.words.empty()) continue;
        block.before.resize(kBlockWords);
        std::uint32_t within = 0;
        for (std::size_t w = 0; w < kBlockWords; ++w) {
            block.before[w] = within;
            within += static_cast<std::uint32_t>(std::popcount(block.words[w]));
        }
        base += within;
    }
}

bool TRecordSet::Contains(std::int64_t n) const {
    if (n < 0 || n >= count_) return false;
    const TBlock& block = blocks_[static_cast<std::size_t>(n / kBlockBits)];
    if (block.words.empty()) return false;
    const std::int64_t bit = n % kBlockBits;
    return (block.words[static_cast<std::size_t>(bit / 64)] >> (bit % 64) & 1) != 0;
}

std::int64_t TRecordSet::Rank(std::int64_t n) const {
    const TBlock& block = blocks_[static_cast<std::size_t>(n / kBlockBits)];
    const std::int64_t bit = n % kBlockBits;
    const auto w = static_cast<std::size_t>(bit / 64);
    const std::uint64_t below = (std::uint64_t{1} << (bit % 64)) - 1;
    return block.base + block.before[w] + std::popcount(block.words[w] & below);
}

}  // namespace vxlo
