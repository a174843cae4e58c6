// The read-only commands of the tool (dump, check, export-sgf) on an
// arbitrary dictionary file. None may crash or hang, each ends with status 0
// or 1, the file is left as it was, and they agree with each other: dump
// lists every whole record, and a tree that check calls sound is exported
// with nothing left out and reads back as SGF.
#include "FuzzSupport.h"

#include <sstream>

#include "cli/VxloTool.h"
#include "core/FileIo.h"
#include "import/SgfReader.h"

using namespace vxlo;

namespace {

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

int Run(const std::vector<std::string>& args, std::string& out) {
    std::ostringstream o, e;
    const int status = RunVxloTool(args, o, e);
    if (status != 0 && status != 1) Fail("a read-only command ended with a usage status");
    out = o.str();
    return status;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::TScratchFile dictionary(data, size, ".jsk");
    const std::string exported = dictionary.Path() + ".sgf";
    const std::string before(reinterpret_cast<const char*>(data), size);

    std::string dump, check, summary;
    if (Run({"dump", dictionary.Path()}, dump) != 0) Fail("dump of a readable file failed");
    std::size_t lines = 0;
    for (const char c : dump) lines += c == '\n' ? 1 : 0;
    if (lines != size / kRecordSize) Fail("dump did not list every whole record");

    const bool sound = Run({"check", dictionary.Path()}, check) == 0;
    const int exportStatus = Run({"export-sgf", dictionary.Path(), exported}, summary);
    if (sound) {
        if (exportStatus != 0) Fail("export of a sound tree failed");
        if (summary.find("left out") != std::string::npos) Fail("export left out part of a sound tree");
        try {
            ParseSgf(ReadWholeFile(exported, kMaxSgfFileBytes, "too large"), exported);
        } catch (const EVxloError&) {
            Fail("the export does not read back as SGF");
        }
    }
    std::remove(exported.c_str());
    if (ReadWholeFile(dictionary.Path(), size + 1, "grew") != before) Fail("a read-only command changed the file");
    return 0;
}
