// Navigation over an arbitrary dictionary: the first bytes are the file, the
// rest a sequence of commands (follow, back, add, delete, colour, modes).
#include "FuzzSupport.h"

#include "core/VxloError.h"

using namespace vxlo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const std::size_t fileBytes = std::min<std::size_t>(size - 2, (data[0] | (data[1] << 8)) % 4096);
    const std::uint8_t* file = data + 2;
    const std::uint8_t* commands = file + fileBytes;
    const std::size_t commandCount = size - 2 - fileBytes;

    fuzz::TWindowless w;
    TNavigation& nav = w.nav;
    try {
        nav.OpenStore(fuzz::StoreFromBytes(file, fileBytes));
    } catch (const EVxloError&) {
        return 0;
    }
    nav.SetInputMode(EInputMode::Record);
    for (std::size_t i = 0; i + 1 < commandCount; i += 2) {
        const int op = commands[i] % 9;
        const int arg = commands[i + 1];
        try {
            const TLjsk& list = nav.Dictionary();
            switch (op) {
            case 0:
            case 1:
                if (list.Count() > 0) {
                    const TPoint p = list.GetMoveXY(arg % list.Count());
                    if (p.x >= 1 && p.x <= 19 && p.y >= 1 && p.y <= 19) nav.Deside(p.x, p.y);
                }
                break;
            case 2: nav.Back(); break;
            case 3: nav.Deside(arg % 19 + 1, (arg / 19) % 19 + 1); break;
            case 4: if (nav.Delete1Enabled()) nav.DeleteLast(); break;
            case 5:
                if (list.Count() > 0) {
                    const TPoint p = list.GetMoveXY(arg % list.Count());
                    if (p.x >= 1 && p.x <= 19 && p.y >= 1 && p.y <= 19) nav.RightClickAt(p.x, p.y);
                }
                break;
            case 6: nav.SetProgressMode(arg & 1 ? EProgressMode::OneMove : EProgressMode::ToBranch); break;
            case 7: nav.ToFirst(); break;
            case 8: nav.MouseDown(arg & 1 ? EMouseButton::Left : EMouseButton::Right, arg % 21, (arg / 21) % 21); break;
            }
        } catch (const EVxloError&) {
            // Range and file errors are the expected answers to a damaged file.
        }
        fuzz::CheckAgreement(nav);
    }
    return 0;
}
