// The "Ver4" and "Ver1" merges of an arbitrary source into a small dictionary.
#include "FuzzSupport.h"

#include "core/VxloError.h"
#include "import/Marge.h"

using namespace vxlo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const EMergeFormat format = data[0] & 1 ? EMergeFormat::Ver1 : EMergeFormat::Ver4;
    fuzz::TScratchFile source(data + 1, size - 1, ".jsk");
    fuzz::TWindowless w;
    auto store = std::make_unique<TMemoryRecordStore>();
    TMemoryRecordStore* records = store.get();
    w.nav.OpenStore(std::move(store));
    // A little of the open dictionary already there, so that some source
    // moves are followed rather than added.
    w.nav.SetProgressMode(EProgressMode::OneMove);
    for (const TPoint p : {TPoint{16, 4}, TPoint{17, 3}}) {
        w.nav.Deside(p.x, p.y);
        w.nav.Deside(p.x, p.y);
    }
    bool completed = true;
    try {
        Marge(w.nav, source.Path(), format);
    } catch (const EVxloError&) {
        completed = false;  // an error ends the merge where it was
    }
    fuzz::CheckAgreement(w.nav);
    fuzz::CheckSoundTree(*records);
    if (completed && w.nav.Path().Count() != 0) {
        std::fprintf(stderr, "merge did not end at the root\n");
        std::abort();
    }
    return 0;
}
