#pragma once
// TEngineClient: the analysis engine (KataGo's JSON analysis protocol) run as
// a child process, asked about positions given as dictionary lines from the
// empty board. Several queries are in flight at once; answers come in any
// order and are matched by their id. Whatever the engine's configuration,
// every answer handed out is from the side to move's view: the client asks
// two one-visit questions whose answer it knows (the empty board with a komi
// far beyond even, Black and then White to move) and reads the view from
// them.
//
// An engine that cannot start, ends, stays silent past the timeout or writes
// anything that is not its protocol is an EEngineError naming the command
// and the position; from then on every call fails with the same error, and
// nothing of a broken answer is handed out.
#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "board/Goban.h"
#include "engine/EngineAnswer.h"
#include "engine/EngineError.h"
#include "engine/EngineProcess.h"

namespace vxlo {

struct TEngineSettings {
    std::vector<std::string> command;  // program and arguments
    int visits = 200;                  // per position
    std::string rules = "japanese";
    double komi = 6.5;
    // Silence allowed before the first answer (the engine loads its network)
    // and afterwards while answers are due.
    std::chrono::milliseconds startTimeout{180000};
    std::chrono::milliseconds answerTimeout{120000};
    // Told the engine's process id as soon as it runs (before it is asked
    // anything), on the thread that asks, so that another thread may end it.
    std::function<void(pid_t)> started;
};

class TEngineClient {
public:
    // Starts the engine; EEngineError when it cannot be started.
    explicit TEngineClient(TEngineSettings settings);
    ~TEngineClient();
    TEngineClient(const TEngineClient&) = delete;
    TEngineClient& operator=(const TEngineClient&) = delete;

    // Asks for the position after line; the id of the query. Visits 0 take
    // the settings' number. The side to move may not play a point of avoid
    // as its first move (the others are searched as usual). EVxloError naming
    // the move for a line that cannot be played.
    std::string Submit(const std::vector<TPoint>& line, int visits = 0, const std::vector<TPoint>& avoid = {});
    // The answer to the query id, waiting for it and keeping the other
    // answers that come first.
    TEngineAnswer Await(const std::string& id);

    int InFlight() const { return static_cast<int>(queries_.size()); }
    const TEngineSettings& Settings() const { return settings_; }
    const std::string& CommandText() const { return command_; }
    // The view the engine reports from, once its answers have shown it.
    std::optional<EReportedView> ReportedView() const { return view_; }
    // The engine's process id while it runs, else -1.
    pid_t EnginePid() const { return process_ ? process_->Pid() : -1; }

private:
    struct TQuery {
        std::vector<TPoint> line;
        int sideToMove = Black;
        bool viewQuestion = false;            // one of the two that show the view
        std::optional<TEngineAnswer> answer;  // as reported
    };
    void Send(const std::string& id, const std::vector<TPoint>& line, int visits, double komi,
              std::optional<int> firstPlayer, const std::vector<TPoint>& avoid = {});
    // Reads one line and files it; throws for anything else.
    void ReadOne(const std::string& awaited);
    void SettleView(const std::vector<TPoint>& awaitedLine);
    [[noreturn]] void Fail(TMessage message, const std::vector<TPoint>& line);
    void CheckHealthy() const;

    TEngineSettings settings_;
    std::string command_;
    std::unique_ptr<TEngineProcess> process_;
    std::map<std::string, TQuery> queries_;
    std::optional<EReportedView> view_;
    long long nextId_ = 0;
    bool answered_ = false;  // any line has come
    TEngineProcess::TClock::time_point lastHeard_;
    std::optional<EEngineError> failure_;
};

}  // namespace vxlo
