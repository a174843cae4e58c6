#pragma once
// The games that come with the sample dictionary: generated openings whose
// corners play the sample's own lines, so that the corner import follows the
// dictionary and adds no moves, while the explorer has games to show.
#include <cstdint>
#include <string>
#include <vector>

#include "board/Goban.h"

namespace vxlo {

// An SGF collection of `count` games. `lines` are the sample's sequences
// (kTenuki for a move elsewhere); those that start in the upper right are
// played, each in any corner and orientation and by either colour. The same
// seed gives the same bytes on every machine.
std::string SampleGamesSgf(const std::vector<std::vector<TPoint>>& lines, int count, std::uint32_t seed);

}  // namespace vxlo
