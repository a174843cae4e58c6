#pragma once
// vxlo-tool run in-process on the import fixture's folder, its output kept
// per call: the dictionary is the tool's to open.
#include <sstream>
#include <string>
#include <vector>

#include "cli/VxloTool.h"
#include "import/ImportFixture.h"

namespace vxlo::testing {

class TToolTest : public TImportTest {
protected:
    void SetUp() override {
        TImportTest::SetUp();
        nav.CloseFile();
    }
    int Run(const std::vector<std::string>& args) {
        out.str("");
        err.str("");
        return RunVxloTool(args, out, err);
    }

    std::ostringstream out;
    std::ostringstream err;
};

}  // namespace vxlo::testing
