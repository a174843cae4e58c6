#pragma once
// Tenuki in the file is a record with X = 0 and Y = 0. The board on this
// branch cannot play it yet: replaying one (the position index, going to a
// record) stops at it. Once TGoban plays a tenuki, switch this on and wire
// the two places that check it (TreeIndex.cpp, GoToRecord.cpp).
namespace vxlo {

inline constexpr bool kBoardPlaysTenuki = false;

}  // namespace vxlo
