#include "dictionary/MoveText.h"

#include <cctype>

namespace vxlo {

namespace {

// 1..19 in plain decimal, without sign or leading zero.
std::optional<int> Coordinate(std::string_view digits) {
    if (digits.empty() || digits.size() > 2 || digits[0] == '0') return std::nullopt;
    int value = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (value > kBoardSize) return std::nullopt;
    return value;
}

bool IsPassText(std::string_view text) {
    const std::string_view pass = kPassText;
    if (text.size() != pass.size()) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(text[i])) != pass[i]) return false;
    }
    return true;
}

}  // namespace

std::string FormatMove(int x, int y) {
    if (IsTenuki(x, y)) return kPassText;
    return std::to_string(x) + "," + std::to_string(y);
}

std::optional<TPoint> ParseMove(std::string_view text) {
    if (IsPassText(text)) return TPoint{0, 0};
    const std::size_t comma = text.find(',');
    if (comma == std::string_view::npos) return std::nullopt;
    const auto x = Coordinate(text.substr(0, comma));
    const auto y = Coordinate(text.substr(comma + 1));
    if (!x || !y) return std::nullopt;
    return TPoint{*x, *y};
}

}  // namespace vxlo
