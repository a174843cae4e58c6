#pragma once
// The little JSON that vxlo-tool's --json answers need: strings quoted and
// escaped (UTF-8 passes through, bytes that are not UTF-8 become U+FFFD,
// control bytes are written as \u00XX).
#include <string>
#include <string_view>

namespace vxlo {

std::string JsonString(std::string_view text);

}  // namespace vxlo
