#include "cli/BenchReport.h"

#include <cmath>
#include <cstdio>

#include "cli/Json.h"

namespace vxlo {

void TBenchReport::Add(const std::string& key, double value, const std::string& line) {
    figures_.emplace_back(key, value);
    if (!json_) {
        std::printf("%s\n", line.c_str());
        std::fflush(stdout);
    }
}

void TBenchReport::Finish() const {
    if (!json_) return;
    std::string out = "{";
    for (std::size_t i = 0; i < figures_.size(); ++i) {
        char number[64];
        const double v = figures_[i].second;
        // Rates and counts as whole numbers; times keep what a microsecond needs.
        if (std::isfinite(v)) {
            std::snprintf(number, sizeof number, std::fabs(v) >= 1000 ? "%.0f" : "%.6g", v);
        } else {
            std::snprintf(number, sizeof number, "null");
        }
        out += (i ? ",\n " : "\n ") + JsonString(figures_[i].first) + ": " + number;
    }
    out += "\n}\n";
    std::fputs(out.c_str(), stdout);
}

}  // namespace vxlo
