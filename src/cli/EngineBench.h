#pragma once
// Speed figures of the engine client: its own cost per query against the
// fake engine of the tests (which answers at once), and, when a real KataGo
// is there, what a search of 200 visits takes, with the client's share of it.
#include <string>

#include "cli/BenchReport.h"

namespace vxlo {

// Either path may be empty or name nothing: its figures are left out.
void BenchEngine(const std::string& fakeEngine, const std::string& kataGoDir, TBenchReport& report);

}  // namespace vxlo
