#pragma once
// How often a move was played in real games, where the dictionary knows it:
// the corner import's counts weight the program's choice; without them the
// choice is uniform.
#include <cstdint>
#include <optional>

#include "companion/EvidenceStore.h"

namespace vxlo {

class IEvidence {
public:
    virtual ~IEvidence() = default;
    // Games that played the move of record rec; nothing when unknown.
    virtual std::optional<std::int64_t> GameCount(int rec) const = 0;
};

class TNoEvidence final : public IEvidence {
public:
    std::optional<std::int64_t> GameCount(int) const override { return std::nullopt; }
};

// The counts of the companion database. A count that cannot be read is an
// error like any failed read of the store.
class TStoredEvidence final : public IEvidence {
public:
    explicit TStoredEvidence(TEvidenceStore& store) : store_(store) {}
    std::optional<std::int64_t> GameCount(int rec) const override {
        const std::optional<TEvidence> e = store_.Get(rec);
        if (!e) return std::nullopt;
        return e->games;
    }

private:
    TEvidenceStore& store_;
};

}  // namespace vxlo
