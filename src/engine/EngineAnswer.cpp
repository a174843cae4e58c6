#include "engine/EngineAnswer.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>

#include "engine/EngineMoves.h"

namespace vxlo {

namespace {

using nlohmann::json;

bool Number(const json& object, const char* key, double& value) {
    const auto found = object.find(key);
    if (found == object.end() || !found->is_number()) return false;
    value = found->get<double>();
    return std::isfinite(value);
}

bool Count(const json& object, const char* key, int& value) {
    const auto found = object.find(key);
    if (found == object.end() || !found->is_number_integer()) return false;
    const auto n = found->get<long long>();
    if (n < 0 || n > (1LL << 40)) return false;
    value = static_cast<int>(std::min<long long>(n, 1 << 30));
    return true;
}

bool Chance(double value) { return value >= 0.0 && value <= 1.0; }

}  // namespace

std::string ReadAnswerFigures(const json& answer, TEngineAnswer& out) {
    out = TEngineAnswer();
    const auto root = answer.find("rootInfo");
    if (root == answer.end() || !root->is_object()) return "no rootInfo";
    const auto player = root->find("currentPlayer");
    if (player == root->end() || !player->is_string() || (*player != "B" && *player != "W"))
        return "no currentPlayer";
    out.sideToMove = *player == "B" ? Black : White;
    if (!Count(*root, "visits", out.visits) || !Number(*root, "scoreLead", out.scoreLead) ||
        !Number(*root, "winrate", out.winrate) || !Chance(out.winrate))
        return "rootInfo without visits, scoreLead or winrate";
    const auto infos = answer.find("moveInfos");
    if (infos == answer.end() || !infos->is_array()) return "no moveInfos";
    for (const json& info : *infos) {
        if (!info.is_object()) return "a moveInfo that is no object";
        TEngineMoveInfo m;
        const auto move = info.find("move");
        if (move == info.end() || !move->is_string()) return "a moveInfo without move";
        const auto point = ParseEngineMove(move->get<std::string>());
        if (!point) return "the move " + move->get<std::string>() + " is no point of the board";
        m.move = *point;
        if (!Count(info, "visits", m.visits) || !Number(info, "scoreLead", m.scoreLead) ||
            !Number(info, "winrate", m.winrate) || !Chance(m.winrate) || !Count(info, "order", m.order))
            return "the move " + move->get<std::string>() + " without visits, scoreLead, winrate or order";
        for (const TEngineMoveInfo& seen : out.moves) {
            if (seen.move == m.move) return "the move " + move->get<std::string>() + " twice";
        }
        out.moves.push_back(m);
    }
    std::stable_sort(out.moves.begin(), out.moves.end(),
                     [](const TEngineMoveInfo& a, const TEngineMoveInfo& b) { return a.order < b.order; });
    return {};
}

TEngineAnswer FromSideToMove(TEngineAnswer reported, EReportedView view) {
    const bool flip = (view == EReportedView::Black && reported.sideToMove == White) ||
                      (view == EReportedView::White && reported.sideToMove == Black);
    if (!flip) return reported;
    reported.scoreLead = -reported.scoreLead;
    reported.winrate = 1.0 - reported.winrate;
    for (TEngineMoveInfo& m : reported.moves) {
        m.scoreLead = -m.scoreLead;
        m.winrate = 1.0 - m.winrate;
    }
    return reported;
}

}  // namespace vxlo
