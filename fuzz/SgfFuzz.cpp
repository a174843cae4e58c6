// The SGF reader on arbitrary bytes, and the merge of what it accepts.
#include "FuzzSupport.h"

#include "core/VxloError.h"
#include "import/SgfMerge.h"
#include "import/SgfReader.h"

using namespace vxlo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    TSgfCollection sgf;
    try {
        sgf = ParseSgf(bytes, "fuzz.sgf");
    } catch (const ESgfError&) {
        return 0;
    }
    fuzz::TWindowless w;
    auto store = std::make_unique<TMemoryRecordStore>();
    TMemoryRecordStore* records = store.get();
    w.nav.OpenStore(std::move(store));
    TMemorySgfComments comments;
    try {
        w.nav.ResetToRoot();
        TOneMoveScope oneMove(w.nav);
        MergeSgfTree(w.nav, sgf, &comments);
    } catch (const EVxloError&) {
    }
    fuzz::CheckAgreement(w.nav);
    fuzz::CheckSoundTree(*records);
    return 0;
}
