// make-sample SEQUENCES DICTIONARY: records corner sequences into a new
// dictionary the way an import does, through the one move entry (a move that
// is new is added, then followed). data/sample.jsk is made with it from
// data/sample-sequences.txt.
// make-sample --games SEQUENCES SGF-FILE: writes the generated games that
// play those sequences in their corners (data/sample-games.sgf).
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/SampleGames.h"
#include "core/FileIo.h"
#include "core/VxloError.h"
#include "navigation/Navigation.h"

namespace {

using vxlo::TPoint;

class TStderrSink final : public vxlo::IMessageSink {
public:
    void ShowMessage(const vxlo::TMessage& message) override { std::cerr << message.Text() << '\n'; }
};

struct TSequence {
    int line = 0;
    std::vector<TPoint> moves;
};

// Lines of "x,y" board points and "tenuki"; "#" starts a comment.
std::vector<TSequence> ReadSequences(const std::string& path) {
    std::ifstream in(path);
    if (!in) throw vxlo::EInOutError(errno, path);
    std::vector<TSequence> sequences;
    std::string text;
    for (int line = 1; std::getline(in, text); ++line) {
        if (const auto hash = text.find('#'); hash != std::string::npos) text.erase(hash);
        std::istringstream tokens(text);
        TSequence sequence{line, {}};
        for (std::string token; tokens >> token;) {
            if (token == "tenuki") {
                sequence.moves.push_back(vxlo::kTenuki);
                continue;
            }
            const auto comma = token.find(',');
            if (comma == std::string::npos)
                throw vxlo::EVxloError(path + ":" + std::to_string(line) + ": not x,y: " + token);
            const TPoint p{vxlo::StrToInt(token.substr(0, comma)),
                           vxlo::StrToInt(token.substr(comma + 1))};
            if (p.x < 1 || p.x > 19 || p.y < 1 || p.y > 19)
                throw vxlo::EVxloError(path + ":" + std::to_string(line) + ": off the board: " + token);
            sequence.moves.push_back(p);
        }
        if (!sequence.moves.empty()) sequences.push_back(std::move(sequence));
    }
    return sequences;
}

void Record(vxlo::TNavigation& nav, const TSequence& sequence, const std::string& source) {
    nav.ResetToRoot();
    vxlo::TOneMoveScope oneMove(nav);
    for (const TPoint& p : sequence.moves) {
        if (!nav.EnterMove(p.x, p.y).Entered())
            throw vxlo::EVxloError(source + ":" + std::to_string(sequence.line) + ": move " +
                                   std::to_string(p.x) + "," + std::to_string(p.y) +
                                   " cannot be played");
    }
}

}  // namespace

constexpr int kSampleGames = 60;
constexpr std::uint32_t kSampleSeed = 20240;

int MakeGames(const std::string& source, const std::string& output) {
    std::vector<std::vector<TPoint>> lines;
    for (TSequence& sequence : ReadSequences(source)) lines.push_back(std::move(sequence.moves));
    vxlo::ReplaceFileAtomically(output, vxlo::SampleGamesSgf(lines, kSampleGames, kSampleSeed));
    return 0;
}

int main(int argc, char** argv) {
    const bool games = argc == 4 && std::string(argv[1]) == "--games";
    if (argc != 3 && !games) {
        std::cerr << "usage: make-sample SEQUENCES DICTIONARY\n"
                     "       make-sample --games SEQUENCES SGF-FILE\n";
        return 2;
    }
    if (games) {
        try {
            return MakeGames(argv[2], argv[3]);
        } catch (const std::exception& error) {
            std::cerr << vxlo::ErrorDisplayText(error) << '\n';
            return 1;
        }
    }
    const std::string source = argv[1];
    const std::string output = argv[2];
    try {
        const std::vector<TSequence> sequences = ReadSequences(source);
        // Recording adds to what a file holds: only a new file gives the sample.
        if (std::filesystem::exists(output)) {
            std::cerr << output << ": exists already\n";
            return 1;
        }
        vxlo::TNullView view;
        TStderrSink messages;
        vxlo::TNullCommentStore comments;
        vxlo::TNullMenuState menus;
        vxlo::TNavigation nav(view, messages, comments, menus);
        nav.OpenFile(output);
        for (const TSequence& sequence : sequences) Record(nav, sequence, source);
        nav.CloseFile();
    } catch (const std::exception& error) {
        std::cerr << vxlo::ErrorDisplayText(error) << '\n';
        return 1;
    }
    return 0;
}
