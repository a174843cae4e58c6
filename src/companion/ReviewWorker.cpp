#include "companion/ReviewWorker.h"

#include <signal.h>
// Debian 12's glibc declares these without C linkage for C++.
extern "C" {
#include <sys/pidfd.h>
}
#include <unistd.h>

namespace vxlo {

TReviewWorker::TReviewWorker(std::string dictionaryPath, TEngineSettings settings,
                             std::vector<TReviewPosition> positions, IReviewListener& listener)
    : dictionaryPath_(std::move(dictionaryPath)),
      settings_(std::move(settings)),
      positions_(std::move(positions)),
      listener_(listener) {
    settings_.started = [this](pid_t pid) { Started(pid); };
    thread_ = std::thread([this] { Run(); });
}

TReviewWorker::~TReviewWorker() { Stop(); }

void TReviewWorker::Started(pid_t pid) {
    const std::lock_guard<std::mutex> lock(mutex_);
    // The engine is not reaped before the client is done with it, so the
    // process id names it here.
    engine_ = ::pidfd_open(pid, 0);
    if (stopped_ && engine_ >= 0) ::pidfd_send_signal(engine_, SIGKILL, nullptr, 0);
}

void TReviewWorker::Stop() {
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        stopped_ = true;
        cancelled_ = true;
        if (engine_ >= 0) ::pidfd_send_signal(engine_, SIGKILL, nullptr, 0);
    }
    if (thread_.joinable()) thread_.join();
    if (engine_ >= 0) ::close(engine_);
    engine_ = -1;
}

void TReviewWorker::Run() {
    TReviewOutcome outcome;
    outcome.positions = static_cast<int>(positions_.size());
    try {
        const TCompanion companion = OpenCompanion(dictionaryPath_, TCompanionDatabase::EAccess::ReadWrite);
        TEngineReviewStore store(companion);
        std::vector<TReviewPosition> due;
        for (TReviewPosition& p : positions_) {
            if (!ReviewedEnough(store.Get(p.rec), p, settings_.visits)) due.push_back(std::move(p));
        }
        outcome.skipped = outcome.positions - static_cast<int>(due.size());
        listener_.Progress(0, static_cast<int>(due.size()));
        outcome.cancelled = !due.empty() && cancelled_;
        if (!due.empty() && !cancelled_) {
            TEngineClient client(settings_);
            TReviewRun run(client, store, std::move(due), IdentityOf(settings_.command));
            while (!cancelled_ && run.Step()) {
                outcome.stored = run.Stored();
                listener_.Progress(run.Done(), run.Total());
            }
            outcome.cancelled = run.Done() < run.Total();
        }
    } catch (...) {
        outcome.error = std::current_exception();
    }
    const std::lock_guard<std::mutex> lock(mutex_);
    if (!stopped_) listener_.Ended(outcome);
}

}  // namespace vxlo
