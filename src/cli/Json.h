#pragma once
// The JSON answers of vxlo-tool, built as nlohmann::ordered_json (keys in the
// order they are set) and written in the layouts scripts read.
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

namespace vxlo {

using TJson = nlohmann::ordered_json;

// A string as JSON: UTF-8 passes through, bytes that are not UTF-8 become
// U+FFFD, control bytes are escaped.
std::string JsonString(std::string_view text);

// One line, a space after every ',' and ':' between members and elements:
// {"record": 2, "moves": ["4,4", "16,16"]}
std::string JsonText(const TJson& value);

// An array with its elements (each as JsonText) a line each after the first:
// [{...},\n {...}]
std::string JsonRows(const TJson& rows);

// One line without spaces, as the answers over kept games are written.
std::string JsonCompact(const TJson& value);

// A figure rounded to four decimals, written as printf's %.6g writes it.
TJson JsonFigure(double value);

}  // namespace vxlo
