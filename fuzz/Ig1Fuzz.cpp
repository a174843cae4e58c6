// ReadInput of arbitrary bytes into a fresh dictionary.
#include "FuzzSupport.h"

#include "core/VxloError.h"
#include "import/ReadInput.h"

using namespace vxlo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::TScratchFile file(data, size, ".IG1");
    fuzz::TWindowless w;
    auto store = std::make_unique<TMemoryRecordStore>();
    TMemoryRecordStore* records = store.get();
    w.nav.OpenStore(std::move(store));
    try {
        ReadInput(w.nav, file.Path(), 400);
    } catch (const EVxloError&) {
        // A row that is not a number ends the import with its message.
    }
    fuzz::CheckAgreement(w.nav);
    fuzz::CheckSoundTree(*records);
    // The same record a second time adds nothing.
    const std::int64_t before = records->RecordCount();
    try {
        ReadInput(w.nav, file.Path(), 400);
    } catch (const EVxloError&) {
    }
    if (records->RecordCount() != before) {
        std::fprintf(stderr, "a second import added records\n");
        std::abort();
    }
    return 0;
}
