#pragma once
// TReviewWorker: the engine's review of positions on a thread of its own,
// with its own connection to the companion database and its own engine, so
// that the program that started it goes on meanwhile. Positions reviewed
// enough already are passed over; each batch is stored before the next is
// asked, so a cancelled or failed run keeps every batch it finished.
#include <sys/types.h>

#include <atomic>
#include <exception>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "engine/EngineClient.h"
#include "companion/ReviewRun.h"

namespace vxlo {

struct TReviewOutcome {
    int positions = 0;  // asked for
    int skipped = 0;    // reviewed enough before
    int stored = 0;     // reviews written
    bool cancelled = false;
    std::exception_ptr error;  // why the run ended early, if it failed
};

// Told of the run's progress on the worker's thread: an implementation
// hands the news to its own thread.
class IReviewListener {
public:
    virtual ~IReviewListener() = default;
    // After the positions due were counted (done 0) and after every batch stored.
    virtual void Progress(int done, int total) = 0;
    // Last, once, unless the run was stopped.
    virtual void Ended(const TReviewOutcome& outcome) = 0;
};

class TReviewWorker {
public:
    // Starts the review of positions of the dictionary at dictionaryPath.
    // The listener outlives the worker.
    TReviewWorker(std::string dictionaryPath, TEngineSettings settings, std::vector<TReviewPosition> positions,
                  IReviewListener& listener);
    // Stops the run (see Stop).
    ~TReviewWorker();
    TReviewWorker(const TReviewWorker&) = delete;
    TReviewWorker& operator=(const TReviewWorker&) = delete;

    // Ends the run after the batch under way, which is stored.
    void Cancel() { cancelled_ = true; }
    // Ends the run now: the engine is killed (the batch under way is lost),
    // the thread joined; Ended is not told. Idempotent.
    void Stop();

private:
    void Run();
    void Started(pid_t pid);

    std::string dictionaryPath_;
    TEngineSettings settings_;
    std::vector<TReviewPosition> positions_;
    IReviewListener& listener_;
    std::atomic<bool> cancelled_{false};
    std::mutex mutex_;   // guards stopped_ and engine_
    bool stopped_ = false;
    int engine_ = -1;    // a pidfd of the running engine: no other process can be hit by its kill
    std::thread thread_;
};

}  // namespace vxlo
