#pragma once
// The benchmark's figures: one line per figure for people as they are
// measured, or, with --json, every figure in one JSON object at the end,
// keyed by what it measures and its unit.
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace vxlo {

class TBenchReport {
public:
    explicit TBenchReport(bool json) : json_(json) {}
    // `line` is the printf format of the line for people; its first
    // conversion shows `value`, which the JSON object names `key`.
    template <typename... TArgs>
    void Figure(const std::string& key, double value, const char* line, TArgs... args) {
        Add(key, value, Format(line, args...));
    }
    // Prints the JSON object (nothing without --json).
    void Finish() const;

private:
    template <typename... TArgs>
    static std::string Format(const char* line, TArgs... args) {
        const int size = std::snprintf(nullptr, 0, line, args...);
        std::string text(static_cast<std::size_t>(size > 0 ? size : 0) + 1, '\0');
        std::snprintf(text.data(), text.size(), line, args...);
        text.pop_back();
        return text;
    }
    void Add(const std::string& key, double value, const std::string& line);

    bool json_;
    std::vector<std::pair<std::string, double>> figures_;
};

}  // namespace vxlo
