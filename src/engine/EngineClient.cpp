#include "engine/EngineClient.h"

#include <nlohmann/json.hpp>

#include <algorithm>

#include "engine/EngineMoves.h"

namespace vxlo {

namespace {

using nlohmann::json;

constexpr const char* kEndedText = QT_TRANSLATE_NOOP("vxlo", "エンジン %1 が終了しました（局面 %2）");
constexpr const char* kSilentText =
    QT_TRANSLATE_NOOP("vxlo", "エンジン %1 が %2 秒たっても答えません（局面 %3）");
constexpr const char* kNotProtocolText =
    QT_TRANSLATE_NOOP("vxlo", "エンジン %1 の答えは解析エンジンの形式ではありません（局面 %2）");
constexpr const char* kRefusedText = QT_TRANSLATE_NOOP("vxlo", "エンジン %1 が局面 %2 を受け付けません");
constexpr const char* kAtPositionText = QT_TRANSLATE_NOOP("vxlo", "（局面 %1）");
constexpr const char* kViewText =
    QT_TRANSLATE_NOOP("vxlo", "エンジン %1 の評価がどちらの側から見たものか分かりません（局面 %2）");

// Thirty points of komi leave no network in doubt about who is ahead on the
// empty board, and stay within what networks were trained on.
constexpr double kViewKomi = 30.0;
constexpr const char* kViewBlackId = "view-b";
constexpr const char* kViewWhiteId = "view-w";
constexpr std::size_t kExcerptBytes = 160;

std::string Excerpt(const std::string& line) {
    if (line.size() <= kExcerptBytes) return PrintableText(line);
    return PrintableText(line.substr(0, kExcerptBytes)) + "...";
}

// -1 when the figures say the side they are seen from is behind, +1 ahead,
// 0 when lead and chance disagree.
int Sign(const TEngineAnswer& a) {
    if (a.scoreLead < 0 && a.winrate < 0.5) return -1;
    if (a.scoreLead > 0 && a.winrate > 0.5) return 1;
    return 0;
}

}  // namespace

TEngineClient::TEngineClient(TEngineSettings settings)
    : settings_(std::move(settings)), command_(JoinCommandLine(settings_.command)) {}

TEngineClient::~TEngineClient() = default;

void TEngineClient::CheckHealthy() const {
    if (failure_) throw *failure_;
}

void TEngineClient::Fail(TMessage message, const std::vector<TPoint>& line) {
    const TMessage position = PositionText(line);
    failure_.emplace(std::move(message), command_, line.empty() ? std::string() : position.Text());
    // The engine is of no more use: it goes now, not with the client.
    process_.reset();
    queries_.clear();
    throw *failure_;
}

std::string TEngineClient::Submit(const std::vector<TPoint>& line, int visits, const std::vector<TPoint>& avoid) {
    CheckHealthy();
    const auto moves = EngineMoves(line);
    if (!process_) {
        try {
            process_ = std::make_unique<TEngineProcess>(settings_.command);
        } catch (const EVxloError& e) {
            failure_.emplace(TMessage(e.Message()).Then(TMessage(kAtPositionText).Arg(PositionText(line))), command_,
                             line.empty() ? std::string() : PositionText(line).Text());
            throw *failure_;
        }
        lastHeard_ = TEngineProcess::TClock::now();
        if (settings_.started) settings_.started(process_->Pid());
        Send(kViewBlackId, {}, 1, kViewKomi, Black);
        Send(kViewWhiteId, {}, 1, kViewKomi, White);
    }
    const std::string id = "q" + std::to_string(++nextId_);
    Send(id, line, visits > 0 ? visits : settings_.visits, settings_.komi, std::nullopt, avoid);
    return id;
}

void TEngineClient::Send(const std::string& id, const std::vector<TPoint>& line, int visits, double komi,
                         std::optional<int> firstPlayer, const std::vector<TPoint>& avoid) {
    json moves = json::array();
    for (const auto& [colour, move] : EngineMoves(line)) moves.push_back(json::array({colour, move}));
    json query = {{"id", id},         {"moves", moves},      {"rules", settings_.rules},
                  {"komi", komi},     {"boardXSize", kBoardSize}, {"boardYSize", kBoardSize},
                  {"maxVisits", visits}};
    if (firstPlayer) query["initialPlayer"] = *firstPlayer == Black ? "B" : "W";
    const int side = firstPlayer ? *firstPlayer : SideToMoveAfter(line);
    if (!avoid.empty()) {
        json points = json::array();
        for (const TPoint p : avoid) points.push_back(EngineMoveName(p));
        json rule = {{"player", side == Black ? "B" : "W"}, {"moves", points}, {"untilDepth", 1}};
        query["avoidMoves"] = json::array({rule});
    }
    TQuery q;
    q.line = line;
    q.sideToMove = side;
    q.viewQuestion = firstPlayer.has_value();
    queries_[id] = std::move(q);
    // A rules text that is not UTF-8 (from a settings file) is sent mended, not thrown at.
    process_->Write(query.dump(-1, ' ', false, json::error_handler_t::replace) + "\n");
}

TEngineAnswer TEngineClient::Await(const std::string& id) {
    CheckHealthy();
    const auto found = queries_.find(id);
    if (found == queries_.end() || found->second.viewQuestion) throw EVxloError("no query " + id + " in flight");
    lastHeard_ = std::max(lastHeard_, TEngineProcess::TClock::now());
    while (!(queries_.at(id).answer && view_)) ReadOne(id);
    TEngineAnswer answer = FromSideToMove(*queries_.at(id).answer, *view_);
    queries_.erase(id);
    return answer;
}

void TEngineClient::ReadOne(const std::string& awaited) {
    const std::vector<TPoint> awaitedLine = queries_.at(awaited).line;
    const auto timeout = answered_ ? settings_.answerTimeout : settings_.startTimeout;
    std::string text;
    switch (process_->ReadLine(text, lastHeard_ + timeout)) {
    case TEngineProcess::ERead::Timeout: {
        const long long seconds = std::max<long long>(1, std::chrono::ceil<std::chrono::seconds>(timeout).count());
        Fail(TMessage(kSilentText).Arg(command_).Arg(seconds).Arg(PositionText(awaitedLine)), awaitedLine);
    }
    case TEngineProcess::ERead::Ended: {
        std::string why = process_->ExitDescription();
        const std::string tail = process_->ErrorTail();
        if (!tail.empty()) why += (why.empty() ? "" : ": ") + tail;
        TMessage message = TMessage(kEndedText).Arg(command_).Arg(PositionText(awaitedLine));
        Fail(why.empty() ? message : WithReason(message, why), awaitedLine);
    }
    case TEngineProcess::ERead::TooLong:
        Fail(WithReason(TMessage(kNotProtocolText).Arg(command_).Arg(PositionText(awaitedLine)), "a line too long"),
             awaitedLine);
    case TEngineProcess::ERead::Line:
        break;
    }
    lastHeard_ = TEngineProcess::TClock::now();
    answered_ = true;
    if (!text.empty() && text.back() == '\r') text.pop_back();
    if (text.find_first_not_of(" \t") == std::string::npos) return;
    const auto notProtocol = [&](const std::string& why, const std::vector<TPoint>& line) {
        Fail(WithReason(TMessage(kNotProtocolText).Arg(command_).Arg(PositionText(line)), why + ": " + Excerpt(text)),
             line);
    };
    const json answer = json::parse(text, nullptr, false);
    if (answer.is_discarded() || !answer.is_object()) notProtocol("no JSON object", awaitedLine);
    const auto idField = answer.find("id");
    const std::string id = idField != answer.end() && idField->is_string() ? idField->get<std::string>() : "";
    const auto query = queries_.find(id);
    const bool known = query != queries_.end();
    // An answer about one of the view questions is about the position awaited.
    const std::vector<TPoint> line = known && !query->second.viewQuestion ? query->second.line : awaitedLine;
    if (const auto error = answer.find("error"); error != answer.end()) {
        const std::string why = error->is_string() ? error->get<std::string>() : error->dump();
        Fail(WithReason(TMessage(kRefusedText).Arg(command_).Arg(PositionText(line)), PrintableText(why)), line);
    }
    if (answer.contains("warning")) return;
    if (!known) notProtocol("an answer to no question", awaitedLine);
    if (const auto during = answer.find("isDuringSearch"); during != answer.end() && during->is_boolean() &&
                                                          during->get<bool>())
        return;
    if (query->second.answer) notProtocol("a second answer", line);
    if (const auto none = answer.find("noResults"); none != answer.end() && none->is_boolean() && none->get<bool>())
        notProtocol("no results", line);
    TEngineAnswer figures;
    if (const std::string why = ReadAnswerFigures(answer, figures); !why.empty()) notProtocol(why, line);
    if (figures.sideToMove != query->second.sideToMove) notProtocol("the other side to move", line);
    query->second.answer = std::move(figures);
    if (!view_) SettleView(awaitedLine);
}

void TEngineClient::SettleView(const std::vector<TPoint>& awaitedLine) {
    const auto black = queries_.find(kViewBlackId);
    const auto white = queries_.find(kViewWhiteId);
    if (black == queries_.end() || white == queries_.end() || !black->second.answer || !white->second.answer) return;
    // White is far ahead in both: seen from Black both are behind, from
    // White both ahead, from the side to move Black behind and White ahead.
    const int b = Sign(*black->second.answer);
    const int w = Sign(*white->second.answer);
    if (b < 0 && w < 0) {
        view_ = EReportedView::Black;
    } else if (b > 0 && w > 0) {
        view_ = EReportedView::White;
    } else if (b < 0 && w > 0) {
        view_ = EReportedView::SideToMove;
    } else {
        Fail(TMessage(kViewText).Arg(command_).Arg(PositionText(awaitedLine)), awaitedLine);
    }
    queries_.erase(black);
    queries_.erase(white);
}

}  // namespace vxlo
