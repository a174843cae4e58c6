#pragma once
// TTreeIndexCache: the tree index of the open dictionary, built on first use
// and built again once the dictionary has written a record (or another file
// was opened) since.
#include <cstdint>
#include <optional>

#include "dictionary/Fjsk.h"
#include "dictionary/TreeIndex.h"

namespace vxlo {

class TTreeIndexCache {
public:
    // File errors and a cancelled build propagate and leave no index behind.
    const TTreeIndex& For(TLjsk& dictionary, IProgress* progress = nullptr) {
        if (!index_ || revision_ != dictionary.Revision()) {
            index_.reset();
            index_ = TTreeIndex::Build(dictionary.Store(), progress);
            revision_ = dictionary.Revision();
        }
        return *index_;
    }
    bool Current(const TLjsk& dictionary) const {
        return index_ && revision_ == dictionary.Revision();
    }
    void Clear() { index_.reset(); }

private:
    std::optional<TTreeIndex> index_;
    std::uint64_t revision_ = 0;
};

}  // namespace vxlo
