#pragma once
// Shared pieces of the fuzz targets: a navigation with no window, a store
// filled from the fuzzer's bytes, and the agreement check that turns a
// silent disagreement between board and path into a crash the fuzzer sees.
#include <cstdint>
#include <cstdlib>
#include <cstdio>
#include <memory>

#include "dictionary/RecordFile.h"
#include "navigation/Navigation.h"

namespace vxlo::fuzz {

class TQuietMessages final : public IMessageSink {
public:
    void ShowMessage(const TMessage&) override {}
};

struct TWindowless {
    TNullView view;
    TQuietMessages messages;
    TNullCommentStore comments;
    TNullMenuState menus;
    TNavigation nav{view, messages, comments, menus};
};

inline std::unique_ptr<TMemoryRecordStore> StoreFromBytes(const std::uint8_t* data, std::size_t size) {
    auto store = std::make_unique<TMemoryRecordStore>();
    for (std::size_t n = 0; (n + 1) * kRecordSize <= size; ++n) {
        TRecordBytes bytes{};
        for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = data[n * kRecordSize + i];
        store->Write(static_cast<std::int64_t>(n), bytes);
    }
    return store;
}

// Replaying the path on an empty board must give the board's position.
inline void CheckAgreement(const TNavigation& nav) {
    nav.Board().CheckInvariants();
    TNullView view;
    TTejun path;
    TGoban replay(path, view);
    for (int n = 1; n <= nav.Path().Count(); ++n) {
        const TPoint p = nav.Path().GetMove(n);
        if (replay.PlayMove(p.x, p.y) != EMoveResult::Ok) {
            std::fprintf(stderr, "path move %d (%d,%d) is illegal on replay\n", n, p.x, p.y);
            std::abort();
        }
        path.Push(p.x, p.y, 0, 0, replay);
    }
    for (int x = 1; x <= 19; ++x) {
        for (int y = 1; y <= 19; ++y) {
            if (replay.GetStone(x, y) != nav.Board().GetStone(x, y)) {
                std::fprintf(stderr, "board and path disagree at %d,%d\n", x, y);
                std::abort();
            }
        }
    }
}

}  // namespace vxlo::fuzz

#include <string>
#include <unistd.h>

#include "dictionary/Check.h"

namespace vxlo::fuzz {

// The tree the operation left must have no dangling link and no loop.
inline void CheckSoundTree(IRecordStore& store) {
    const TCheckReport report = CheckDictionary(store);
    for (const TCheckFinding& f : report.findings) {
        if (f.kind == TCheckFinding::Kind::LinkPastEnd || f.kind == TCheckFinding::Kind::ReachedTwice) {
            std::fprintf(stderr, "damaged tree: %s\n", f.text.c_str());
            std::abort();
        }
    }
}

// A scratch file holding the fuzzer's bytes, for readers that take a name.
class TScratchFile {
public:
    TScratchFile(const std::uint8_t* data, std::size_t size, const char* suffix)
        : path_("/tmp/vxlo-fuzz-" + std::to_string(::getpid()) + suffix) {
        std::FILE* f = std::fopen(path_.c_str(), "wb");
        if (!f) std::abort();
        if (size > 0 && std::fwrite(data, 1, size, f) != size) std::abort();
        std::fclose(f);
    }
    ~TScratchFile() { std::remove(path_.c_str()); }
    const std::string& Path() const { return path_; }
private:
    std::string path_;
};

}  // namespace vxlo::fuzz
