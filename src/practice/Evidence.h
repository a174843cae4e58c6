#pragma once
// How often a move was played in real games, where the dictionary knows it.
// Nothing records game counts yet, so the program's choice is uniform today;
// once counts exist they weight it without any change to practice.
#include <cstdint>
#include <optional>

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

}  // namespace vxlo
