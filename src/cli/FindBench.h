#pragma once
// Speed figures of the tree index, comment search and position search on a
// generated dictionary of `records` records, printed one per line.
#include <filesystem>

#include "cli/BenchReport.h"

namespace vxlo {

void BenchFind(const std::filesystem::path& folder, int records, TBenchReport& report);

}  // namespace vxlo
