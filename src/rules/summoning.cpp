// Summoning a Familiar from reserve onto the field: pay, then an entry move resolved like any move.
#include "app/game_form.h"

namespace vr {

void GameForm::summon_familiar(int slot) {
    const int side = active_side;
    FamiliarRecord& familiar = familiars(side, slot);
    MasterRecord& master = masters(side);
    // Callers offer only owned, unfallen Familiars in reserve; the price is the one test left here.
    if (master.mp < familiar.cost) return;

    ActionMode.clear();
    familiar.ready = false;
    // The entry move is the kind's own mv; a quick bonus never survives a return to reserve.
    const int entry = familiar.mv;
    master.mp = static_cast<int16_t>(master.mp - familiar.cost);
    show_value(masmp(side), master.mp);

    if (side == kHuman) {
        monicon(slot).set_visible(false);
        advance_familiar(kHuman, slot, +1, entry);
    } else {
        advance_familiar(kComputer, slot, -1, entry);
    }
    check_victory();
}

}  // namespace vr
