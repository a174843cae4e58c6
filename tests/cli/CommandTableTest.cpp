#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <sstream>

#include <nlohmann/json.hpp>

#include "cli/Json.h"
#include "cli/VxloTool.h"
#include "cli/commands/Command.h"

namespace vxlo::testing {
namespace {

struct TRun {
    int status;
    std::string out;
    std::string err;
};

TRun Tool(const std::vector<std::string>& args) {
    std::ostringstream out;
    std::ostringstream err;
    const int status = RunVxloTool(args, out, err);
    return {status, out.str(), err.str()};
}

// Every row is listed by --help, answers its own --help with its lines, and
// a wrong option or a missing dictionary is a usage error with its lines.
TEST(CommandTableTest, EveryCommandHasItsUsageItsHelpAndItsUsageErrors) {
    const TRun help = Tool({"--help"});
    ASSERT_EQ(help.status, 0);
    for (const TCommandRow& row : CommandTable()) {
        SCOPED_TRACE(row.name);
        const std::string synopsis = std::string("  vxlo-tool ") + row.name;
        EXPECT_NE(help.out.find(synopsis), std::string::npos);
        const TRun own = Tool({row.name, "--help"});
        EXPECT_EQ(own.status, 0);
        EXPECT_EQ(own.out, "usage:\n" + std::string(row.usage));
        if (std::string(row.name) == "help") continue;
        const TRun wrong = Tool({row.name, "--no-such-option", "d.jsk"});
        EXPECT_EQ(wrong.status, 2);
        EXPECT_EQ(wrong.err.rfind("vxlo-tool: ", 0), 0u) << wrong.err;
        EXPECT_NE(wrong.err.find("\nusage:\n" + std::string(row.usage)), std::string::npos) << wrong.err;
        const TRun bare = Tool({row.name});
        EXPECT_EQ(bare.status, 2) << bare.err;
        EXPECT_TRUE(bare.out.empty());
    }
    EXPECT_EQ(Tool({"help"}).out, help.out);
    const TRun unknown = Tool({"frobnicate"});
    EXPECT_EQ(unknown.status, 2);
    EXPECT_EQ(unknown.err.rfind("vxlo-tool: unknown command frobnicate\nusage:\n", 0), 0u);
    EXPECT_EQ(Tool({}).status, 2);
}

// The layouts scripts read: a space after ',' and ':', rows a line each;
// whatever is written parses back to what was built.
TEST(CommandTableTest, TheJsonLayoutsParseBackAndKeepTheirSpacing) {
    TJson row;
    row["record"] = 2;
    row["moves"] = TJson::array({"4,4", "pass"});
    row["snippet"] = std::string("a \"b\"\n\x01 \xFF");
    row["none"] = TJson::array();
    row["exact"] = false;
    const std::string text = JsonText(row);
    EXPECT_EQ(text.substr(0, 38), "{\"record\": 2, \"moves\": [\"4,4\", \"pass\"]");
    const nlohmann::json parsed = nlohmann::json::parse(text);
    EXPECT_EQ(parsed["snippet"], "a \"b\"\n\x01 \xEF\xBF\xBD");
    EXPECT_EQ(parsed["none"], nlohmann::json::array());
    TJson rows = TJson::array({row, row});
    EXPECT_EQ(JsonRows(rows), "[" + text + ",\n " + text + "]");
    EXPECT_EQ(JsonRows(TJson::array()), "[]");
    EXPECT_EQ(JsonCompact(row).find(", "), std::string::npos);
}

// The figures come out with the digits printf's %.6g gives the value
// rounded to four decimals (an independent writing of the same rule).
TEST(CommandTableTest, FiguresAreWrittenAsTheyWereBefore) {
    for (const double v : {0.0, -0.0, 0.5, 1.0, -3.0, 0.12345, 12.34567, -0.00004, 0.99996, 123.45678, 0.0001,
                           -7.25, 2.5e-5, 45.1}) {
        SCOPED_TRACE(v);
        char expected[32];
        const double rounded = std::round(v * 1e4) / 1e4;
        std::snprintf(expected, sizeof expected, "%.6g", rounded == 0 ? 0.0 : rounded);
        EXPECT_EQ(JsonText(JsonFigure(v)), expected);
    }
}

}  // namespace
}  // namespace vxlo::testing
