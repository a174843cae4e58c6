// The engine client and the review figures, driven through the fake engine
// (FakeEngine.cpp): the figures a review must give are worked out here from
// the fake's rules (FakeEngineModel.h), whatever view the fake reports from
// and however it misbehaves.
#include <gtest/gtest.h>
#include <signal.h>

#include <cerrno>
#include <chrono>
#include <thread>

#include "engine/EngineClient.h"
#include "engine/EngineMoves.h"
#include "engine/FakeReviewModel.h"
#include "engine/PositionReview.h"

namespace vxlo::testing {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

TEngineSettings FakeSettings(std::vector<std::string> args) {
    TEngineSettings s;
    s.command = {VXLO_FAKE_ENGINE};
    s.command.insert(s.command.end(), args.begin(), args.end());
    s.startTimeout = 10s;
    s.answerTimeout = 10s;
    return s;
}

// Lines without mirror symmetry, candidates searched by the fake (R15, Q15)
// or not (tenuki, C4, S16); the last line leaves the fake's corner moves so
// few that it searches D16 as well, which is then the tenuki, not missing.
const std::vector<TReviewRequest> kRequests = {
    {{{16, 4}, {17, 4}}, {{16, 5}, {0, 0}, {3, 16}}},
    {{{16, 4}, {17, 4}, {16, 3}, {17, 3}, {15, 4}, {16, 5}, {17, 5}}, {{0, 0}, {15, 3}}},
    {{{16, 4}, {17, 4}, {0, 0}}, {{17, 5}, {18, 4}}},
    {{{16, 4}, {17, 4}, {0, 0}, {16, 5}}, {{17, 5}}},
    {{{17, 5}}, {}},
};

void ExpectReview(const TPositionReview& r, const TReviewRequest& q, int visits) {
    const TExpected e = Expect(q.line, q.candidates, visits);
    const std::string where = PositionText(q.line).Text();
    EXPECT_EQ(r.line, q.line);
    EXPECT_NEAR(r.scoreLead, e.lead, 1e-9) << where;
    EXPECT_NEAR(r.winrate, e.winrate, 1e-9) << where;
    EXPECT_EQ(r.visits, visits) << where;
    ASSERT_TRUE(r.best) << where;
    EXPECT_EQ(Name(*r.best), e.best) << where;
    ASSERT_EQ(r.candidates.size(), e.candidates.size()) << where;
    for (std::size_t i = 0; i < e.candidates.size(); ++i) {
        EXPECT_EQ(r.candidates[i].move, q.candidates[i]) << where;
        EXPECT_NEAR(r.candidates[i].loss, e.candidates[i].loss, 1e-9) << where << " " << Name(q.candidates[i]);
        EXPECT_EQ(r.candidates[i].visits, e.candidates[i].visits) << where << " " << Name(q.candidates[i]);
        EXPECT_EQ(r.candidates[i].followUp, e.candidates[i].followUp) << where;
    }
    std::vector<std::string> missing;
    for (const TMoveFigure& m : r.missing) missing.push_back(Name(m.move));
    EXPECT_EQ(missing, e.missing) << where;
}

TEST(EngineReview, EveryViewAndOrderOfAnswersGivesTheSameFigures) {
    const std::vector<std::vector<std::string>> configurations = {
        {"--view", "black"},
        {"--view", "white"},
        {"--view", "side"},
        {"--view", "white", "--reverse", "5"},           // answers last first
        {"--view", "black", "--warnings", "--during-search"},
        {"--view", "white", "--stderr-bytes", "200000"},  // more than a pipe holds, each answer
        {"--view", "side", "--delay-ms", "5"},
    };
    const EReportedView views[] = {EReportedView::Black, EReportedView::White, EReportedView::SideToMove,
                                   EReportedView::White, EReportedView::Black, EReportedView::White,
                                   EReportedView::SideToMove};
    for (std::size_t c = 0; c < configurations.size(); ++c) {
        SCOPED_TRACE(JoinCommandLine(configurations[c]));
        TEngineClient client(FakeSettings(configurations[c]));
        const std::vector<TPositionReview> reviews = ReviewPositions(client, kRequests);
        ASSERT_EQ(reviews.size(), kRequests.size());
        for (std::size_t i = 0; i < reviews.size(); ++i) ExpectReview(reviews[i], kRequests[i], 200);
        EXPECT_EQ(client.ReportedView(), views[c]);
        EXPECT_EQ(client.InFlight(), 0);
    }
}

TEST(EngineReview, AnswersAreMatchedByIdWhenManyAreInFlight) {
    TEngineClient client(FakeSettings({"--reverse", "12", "--view", "black"}));
    std::vector<std::pair<std::string, std::vector<TPoint>>> asked;
    std::vector<TPoint> line;
    for (const TPoint p : std::vector<TPoint>{{16, 4}, {17, 4}, {0, 0}, {16, 5}, {17, 5}, {15, 5}, {3, 4}, {4, 16}}) {
        line.push_back(p);
        asked.emplace_back(client.Submit(line, 40), line);
    }
    EXPECT_EQ(client.InFlight(), 10);  // the two questions of the view as well
    for (auto it = asked.rbegin(); it != asked.rend(); ++it) {
        const TEngineAnswer a = client.Await(it->first);
        EXPECT_NEAR(a.scoreLead, fake::SideLead(Names(it->second), it->second.size() % 2 == 0, 6.5), 1e-9);
        EXPECT_EQ(a.visits, 40);
    }
    EXPECT_EQ(client.InFlight(), 0);
}

TEST(EngineReview, MissingMovesLeaveOutMirrorImagesOfCandidatesAndOfEachOther) {
    // On the empty board the fake searches Q16, R16, Q17 and R17; Q17 is
    // R16 mirrored in the diagonal, and D4 is Q16 turned round.
    std::vector<std::string> searched = fake::SearchedMoves({});
    const auto lead = [](const std::string& m) { return -fake::SideLead({m}, false, 6.5); };
    std::stable_sort(searched.begin(), searched.end(),
                     [&](const std::string& a, const std::string& b) { return lead(a) > lead(b); });
    const auto r16 = std::find(searched.begin(), searched.end(), "R16");
    const auto q17 = std::find(searched.begin(), searched.end(), "Q17");
    searched.erase(std::max(r16, q17));  // the later of the two images
    TEngineClient client(FakeSettings({}));
    const auto names = [](const TPositionReview& r) {
        std::vector<std::string> out;
        for (const TMoveFigure& m : r.missing) out.push_back(Name(m.move));
        return out;
    };
    EXPECT_EQ(names(ReviewPositions(client, {{{}, {}}}).at(0)), searched);
    const auto withD4 = ReviewPositions(client, {{{}, {{4, 16}}}}).at(0);
    searched.erase(std::find(searched.begin(), searched.end(), "Q16"));
    EXPECT_EQ(names(withD4), searched);
    // D4 takes the figures of Q16, which the engine searched: no follow-up.
    EXPECT_FALSE(withD4.candidates.at(0).followUp);
    EXPECT_EQ(withD4.candidates.at(0).visits, fake::MoveVisits(200));
    EXPECT_NEAR(withD4.candidates.at(0).loss, lead(Name(*withD4.best)) - lead("Q16"), 1e-9);
}

struct TFailure {
    const char* name;
    std::vector<std::string> args;
    std::vector<TPoint> line;
    std::vector<const char*> said;  // in the message
};

TEST(EngineFailure, EveryBrokenEngineIsAnErrorNamingCommandAndPosition) {
    const std::string q1 = "{\"id\":\"q1\",\"isDuringSearch\":false,\"turnNumber\":1,";
    const std::string root = "\"rootInfo\":{\"currentPlayer\":\"W\",\"visits\":200,\"scoreLead\":1.0,\"winrate\":0.6}";
    const TFailure failures[] = {
        {"fails to start", {"--fail-start"}, {{16, 4}}, {"could not load the model file", "exit status 1"}},
        {"dies", {"--die-after", "3"}, {{16, 4}}, {"exit status 3", "dying at query 3"}},
        {"not JSON", {"--garbage-after", "2", "Q16 is good"}, {{16, 4}}, {"no JSON object", "Q16 is good"}},
        {"not an object", {"--garbage-after", "2", "[1,2]"}, {{16, 4}}, {"no JSON object"}},
        {"unknown id", {"--garbage-after", "2", "{\"id\":\"zz\"}"}, {{16, 4}}, {"an answer to no question"}},
        {"no id", {"--garbage-after", "2", "{\"moveInfos\":[]}"}, {{16, 4}}, {"an answer to no question"}},
        {"no root", {"--garbage-after", "2", q1 + "\"moveInfos\":[]}"}, {{16, 4}}, {"no rootInfo"}},
        {"no moves", {"--garbage-after", "2", q1 + root + "}"}, {{16, 4}}, {"no moveInfos"}},
        {"bad point", {"--garbage-after", "2",
                       q1 + root + ",\"moveInfos\":[{\"move\":\"I5\",\"visits\":3,\"scoreLead\":1,\"winrate\":0.5,"
                                   "\"order\":0}]}"},
         {{16, 4}}, {"I5 is no point"}},
        {"text for a number", {"--garbage-after", "2",
                               q1 + "\"moveInfos\":[],\"rootInfo\":{\"currentPlayer\":\"W\",\"visits\":200,"
                                    "\"scoreLead\":1.0,\"winrate\":\"0.6\"}}"},
         {{16, 4}}, {"rootInfo without"}},
        {"chance past 1", {"--garbage-after", "2",
                           q1 + "\"moveInfos\":[],\"rootInfo\":{\"currentPlayer\":\"W\",\"visits\":200,"
                                "\"scoreLead\":1.0,\"winrate\":1.5}}"},
         {{16, 4}}, {"rootInfo without"}},
        {"wrong side", {"--garbage-after", "2",
                        q1 + "\"moveInfos\":[],\"rootInfo\":{\"currentPlayer\":\"B\",\"visits\":200,"
                             "\"scoreLead\":1.0,\"winrate\":0.6}}"},
         {{16, 4}}, {"the other side to move"}},
        {"no results", {"--garbage-after", "2", "{\"id\":\"q1\",\"isDuringSearch\":false,\"noResults\":true}"},
         {{16, 4}}, {"no results"}},
        {"refuses", {"--error-on", "R16"}, {{16, 4}, {17, 4}}, {"Illegal move 2: R16"}},
        {"general error", {"--garbage-after", "1", "{\"error\":\"out of memory\"}"}, {}, {"out of memory"}},
        {"view unclear", {"--garbage-after", "0",
                          "{\"id\":\"view-b\",\"moveInfos\":[],\"rootInfo\":{\"currentPlayer\":\"B\",\"visits\":1,"
                          "\"scoreLead\":5.0,\"winrate\":0.3}}"},
         {{16, 4}}, {}},
    };
    for (const TFailure& f : failures) {
        SCOPED_TRACE(f.name);
        const TEngineSettings settings = FakeSettings(f.args);
        TEngineClient client(settings);
        const std::string id = client.Submit(f.line);
        const pid_t pid = client.EnginePid();
        const auto start = Clock::now();
        try {
            client.Await(id);
            ADD_FAILURE() << "no error";
        } catch (const EEngineError& e) {
            EXPECT_EQ(e.Command(), JoinCommandLine(settings.command));
            EXPECT_EQ(e.Position(), f.line.empty() ? "" : PositionText(f.line).Text());
            const std::string text = e.what();
            EXPECT_NE(text.find(JoinCommandLine(settings.command)), std::string::npos) << text;
            EXPECT_NE(text.find(PositionText(f.line).Text()), std::string::npos) << text;
            for (const char* part : f.said) EXPECT_NE(text.find(part), std::string::npos) << text;
        }
        EXPECT_LT(Clock::now() - start, 5s);
        // The engine is gone and reaped, and the client stays failed.
        EXPECT_EQ(::kill(pid, 0), -1);
        EXPECT_EQ(client.EnginePid(), -1);
        EXPECT_THROW(client.Submit({}), EEngineError);
    }
}

TEST(EngineFailure, AProgramThatDoesNotExistIsNamed) {
    TEngineSettings settings;
    settings.command = {"/nonexistent/vxlo-engine", "analysis"};
    TEngineClient client(settings);
    try {
        client.Submit({{16, 4}});
        ADD_FAILURE() << "no error";
    } catch (const EEngineError& e) {
        EXPECT_EQ(e.Command(), "/nonexistent/vxlo-engine analysis");
        EXPECT_EQ(e.Position(), "16,4");
        EXPECT_NE(std::string(e.what()).find("/nonexistent/vxlo-engine analysis"), std::string::npos);
    }
    EXPECT_THROW(client.Submit({}), EEngineError);
}

TEST(EngineFailure, ASilentEngineTimesOutAndGoesAtOnce) {
    TEngineSettings settings = FakeSettings({"--hang-after", "2"});
    settings.answerTimeout = 300ms;
    TEngineClient client(settings);
    const std::string id = client.Submit({{16, 4}, {17, 4}});
    const pid_t pid = client.EnginePid();
    const auto start = Clock::now();
    try {
        client.Await(id);
        ADD_FAILURE() << "no error";
    } catch (const EEngineError& e) {
        EXPECT_EQ(e.Position(), "16,4 17,4");
    }
    const auto waited = Clock::now() - start;
    EXPECT_GE(waited, 250ms);
    EXPECT_LT(waited, 3s);
    EXPECT_EQ(::kill(pid, 0), -1);
}

TEST(EngineFailure, AnEngineGoneWhileQueriesAreWrittenRaisesNoSigpipe) {
    TEngineClient client(FakeSettings({"--die-after", "1"}));
    const std::string first = client.Submit({});
    std::this_thread::sleep_for(200ms);  // it has read one query and gone
    for (int i = 0; i < 300; ++i) client.Submit({{16, 4}, {17, 4}, {0, 0}, {16, 5}});
    EXPECT_THROW(client.Await(first), EEngineError);
}

TEST(EngineProcessTest, GoingKillsAHangingEngineAndReapsIt) {
    pid_t pid = -1;
    const auto start = Clock::now();
    {
        TEngineClient client(FakeSettings({"--hang-after", "0"}));
        client.Submit({});
        pid = client.EnginePid();
        ASSERT_GT(pid, 0);
        EXPECT_EQ(::kill(pid, 0), 0);
    }
    EXPECT_LT(Clock::now() - start, 2s);
    EXPECT_EQ(::kill(pid, 0), -1);
    EXPECT_EQ(errno, ESRCH);
}

}  // namespace
}  // namespace vxlo::testing
