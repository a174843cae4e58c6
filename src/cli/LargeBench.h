#pragma once
// Figures of a dictionary of the size a user reaches by importing a large
// game collection: opening it, random walks through it, checking and
// exporting the whole tree, and the peak memory of all that.
#include <string>

#include "cli/BenchReport.h"

namespace vxlo {

// Grows a joseki-like tree of more than `records` records in memory and
// writes it to path (run in a process of its own, so that its memory does
// not count towards the browsing figures).
void MakeLargeDictionary(int records, const std::string& path);

// Opens, walks, checks and exports the dictionary at path; the peak memory
// is this process's, which must have done nothing large before.
void BenchLargeDictionary(const std::string& path, TBenchReport& report);

}  // namespace vxlo
