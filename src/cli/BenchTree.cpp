#include "cli/BenchTree.h"

namespace vxlo {

void GrowJosekiTree(TNavigation& nav, int records, std::mt19937& rng,
                    const std::function<void(int record, TPoint move)>& onAdded) {
    nav.SetProgressMode(EProgressMode::OneMove);
    IRecordStore& store = nav.Dictionary().Store();
    while (store.RecordCount() <= records) {
        const int depth = nav.Path().Count();
        const unsigned roll = rng() % 100;
        TLjsk& dict = nav.Dictionary();
        if (roll < static_cast<unsigned>(depth * 2) || depth >= 40) {
            nav.MaeNoTe();
        } else if (roll < 70 || dict.Count() == 0) {
            const int x = 8 + static_cast<int>(rng() % 12), y = 1 + static_cast<int>(rng() % 12);
            if (nav.Board().PointState(x, y) != Empty ||
                nav.Board().TestMove(nav.Board().GetTurn(), x, y) != EMoveResult::Ok) {
                continue;
            }
            if (!nav.EnterMove(x, y, EEntryStep::AddOnly).Entered()) continue;
            if (onAdded) onAdded(dict.FindRecNo(x, y), {x, y});
            nav.EnterMove(x, y);
        } else {
            const TPoint p = dict.GetMoveXY(static_cast<int>(rng() % static_cast<unsigned>(dict.Count())));
            nav.Deside(p.x, p.y);
        }
    }
}

}  // namespace vxlo
