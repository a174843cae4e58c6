#pragma once
// The one progress of every long operation: told between files or batches
// how far it got, and asked there whether to stop. An operation that stops
// keeps what it did up to that point, written whole, and says so in its
// result; the caller's summary then says it was cancelled.
#include <cstdint>
#include <functional>
#include <string>
#include <utility>

#include "core/Message.h"
#include "core/VxloError.h"

namespace vxlo {

struct TProgressStep {
    std::int64_t done = 0;   // files, games or records done so far
    std::int64_t total = 0;  // of as many; 0 when not known
    std::string what;        // the file or item at hand, empty for none
};

class IProgress {
public:
    virtual ~IProgress() = default;
    // Called between steps, never inside one; true asks the operation to
    // stop before the next step.
    virtual bool Step(const TProgressStep& step) = 0;
};

// Null progress goes on for ever: every operation takes IProgress* and may
// be given none.
inline bool StopAsked(IProgress* progress, std::int64_t done, std::int64_t total, const std::string& what = {}) {
    return progress != nullptr && progress->Step({done, total, what});
}

// A progress made of a function, for callers that only watch or count.
class TProgressFunction final : public IProgress {
public:
    explicit TProgressFunction(std::function<bool(const TProgressStep&)> step) : step_(std::move(step)) {}
    bool Step(const TProgressStep& step) override { return step_(step); }

private:
    std::function<bool(const TProgressStep&)> step_;
};

// The first line of the summary of a cancelled operation; the summary of
// what was kept follows it.
inline constexpr const char* kCancelledText = QT_TRANSLATE_NOOP("vxlo", "中止しました。それまでの分は保存してあります");
// kCancelledText, then what was kept (when there is something to say).
inline TMessage CancelledSummary(TMessage kept) {
    TMessage text(kCancelledText);
    if (!kept.Empty()) text.Then(TMessage::Literal("\n")).Then(std::move(kept));
    return text;
}
// An export cancelled writes nothing: a cut tree would pass for the whole one.
inline constexpr const char* kExportCancelledText =
    QT_TRANSLATE_NOOP("vxlo", "書き出しを中止しました。ファイルは書き出していません");

// An operation whose result is whole or nothing (the tree index) ends with
// this when a stop is asked.
class ECancelled : public EVxloError {
public:
    ECancelled() : EVxloError(QT_TRANSLATE_NOOP("vxlo", "中止しました")) {}
};

}  // namespace vxlo
