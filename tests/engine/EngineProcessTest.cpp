// The child process and its pipes, with small shell scripts as children.
#include <gtest/gtest.h>

#include <chrono>

#include "engine/EngineProcess.h"

namespace vxlo::testing {
namespace {

using namespace std::chrono_literals;
using ERead = TEngineProcess::ERead;

struct TStep {
    ERead result;
    const char* line;
};

TEST(EngineProcessPipes, LinesEndAndLimitsAsTheChildWroteThem) {
    struct TCase {
        const char* script;
        std::vector<TStep> steps;
        const char* errorTail;
        const char* exit;
    };
    const TCase cases[] = {
        // A last line without its newline is no line: the child has ended.
        {"printf 'a\\nbb'; printf 'why\\n' >&2; exit 5", {{ERead::Line, "a"}, {ERead::Ended, ""}}, "why",
         "exit status 5"},
        // A line past the limit is dropped whole; the next one stands.
        {"printf 'aaaaaaaaaaaaaaaaaaaa\\nok\\n'", {{ERead::TooLong, ""}, {ERead::Line, "ok"}, {ERead::Ended, ""}}, "",
         "exit status 0"},
        // Only the last whole lines of a long error output are kept.
        {"i=0; while [ $i -lt 300 ]; do echo \"progress $i\" >&2; i=$((i+1)); done; echo done",
         {{ERead::Line, "done"}, {ERead::Ended, ""}}, "progress 299", "exit status 0"},
        {"kill -9 $$", {{ERead::Ended, ""}}, "", "signal 9"},
        // Silence is a timeout, not an end.
        {"sleep 5", {{ERead::Timeout, ""}}, "", ""},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.script);
        TEngineProcess child({"/bin/sh", "-c", c.script}, 8);
        for (const TStep& step : c.steps) {
            std::string line;
            const auto deadline = TEngineProcess::TClock::now() + (step.result == ERead::Timeout ? 200ms : 5s);
            ASSERT_EQ(child.ReadLine(line, deadline), step.result);
            if (step.result == ERead::Line) {
                EXPECT_EQ(line, step.line);
            }
        }
        const std::string tail = child.ErrorTail();
        EXPECT_NE(tail.find(c.errorTail), std::string::npos) << tail;
        EXPECT_LE(tail.size(), 400u);
        if (std::string(c.errorTail) == "progress 299") {
            EXPECT_EQ(tail.find("progress 10 |"), std::string::npos);
            EXPECT_NE(tail.find("progress 298 | progress 299"), std::string::npos);
        }
        if (c.exit[0] != '\0') {
            EXPECT_EQ(child.ExitDescription(), c.exit);
        }
    }
}

TEST(EngineProcessPipes, WhatIsWrittenReachesTheChildThroughAFullPipe) {
    // Sixteen pipes' worth, written before the child reads a byte: the rest
    // goes while the answer is awaited.
    TEngineProcess child({"/bin/sh", "-c", "sleep 0.1; head -c 1048577 | wc -c"});
    child.Write(std::string(1 << 20, 'x'));
    child.Write("\n");
    std::string line;
    ASSERT_EQ(child.ReadLine(line, TEngineProcess::TClock::now() + 10s), ERead::Line);
    EXPECT_EQ(line, "1048577");
}

}  // namespace
}  // namespace vxlo::testing
