#include "cli/Json.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "core/Text.h"

namespace vxlo {

namespace {

constexpr auto kReplace = TJson::error_handler_t::replace;

void Write(const TJson& value, std::string& out) {
    if (value.is_object()) {
        out += '{';
        bool first = true;
        for (const auto& [key, member] : value.items()) {
            if (!first) out += ", ";
            first = false;
            out += JsonString(key) + ": ";
            Write(member, out);
        }
        out += '}';
    } else if (value.is_array()) {
        out += '[';
        for (std::size_t i = 0; i < value.size(); ++i) {
            if (i > 0) out += ", ";
            Write(value[i], out);
        }
        out += ']';
    } else if (value.is_string()) {
        out += JsonString(value.get_ref<const std::string&>());
    } else {
        out += value.dump(-1, ' ', false, kReplace);
    }
}

}  // namespace

std::string JsonString(std::string_view text) {
    // A stored comment may hold any bytes; a JSON text holds only UTF-8.
    return TJson(SanitiseUtf8(text)).dump(-1, ' ', false, kReplace);
}

std::string JsonText(const TJson& value) {
    std::string out;
    Write(value, out);
    return out;
}

std::string JsonRows(const TJson& rows) {
    std::string out = "[";
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (i > 0) out += ",\n ";
        Write(rows[i], out);
    }
    return out + "]";
}

std::string JsonCompact(const TJson& value) { return value.dump(-1, ' ', false, kReplace); }

TJson JsonFigure(double value) {
    const double rounded = std::round(value * 1e4) / 1e4;
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", rounded == 0 ? 0.0 : rounded);
    // Held as the number the text says, so that the writer gives the same
    // digits: a whole number as an integer, any other as its shortest double.
    const double shown = std::strtod(text, nullptr);
    if (shown == std::trunc(shown) && std::fabs(shown) < 1e15) return static_cast<long long>(shown);
    return shown;
}

}  // namespace vxlo
