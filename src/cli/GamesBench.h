#pragma once
// vxlo-bench's figures of the corner import and of the kept games behind it.
#include <filesystem>

#include "cli/BenchReport.h"
#include "import/CornerImport.h"

namespace vxlo {

// Corner import of `games` generated games with players, events, ranks,
// results and dates, with the games kept and again without (or only
// without, games Off); with them the store's growth per game and the
// medians of `stats` with a filter and of the first page of `games` at the
// empty board and at depth 6.
void BenchCornerImport(const std::filesystem::path& root, int games, EGameKeeping keep, TBenchReport& report);

}  // namespace vxlo
