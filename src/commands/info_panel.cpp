// The info panel: a Familiar's or a Magic's picture, text and values.
#include "app/game_form.h"

namespace vr {

void GameForm::show_familiar_info(int side, int slot) {
    // A Magic shown before hid these; a Familiar has all four values.
    hpdice.set_visible(true);
    mvdice.set_visible(true);
    atkdice.set_visible(true);
    label_hp.set_visible(true);
    label_mv.set_visible(true);
    label_atk.set_visible(true);

    const FamiliarRecord& familiar = familiars(side, slot);
    data_pic.set_picture(familiar.picture);
    show_value(atkdice, familiar.atk + familiar.power_bonus);
    show_value(mvdice, familiar.mv + familiar.quick_bonus);
    show_value(hpdice, familiar.hp - familiar.damage);
    show_value(mpdice, familiar.cost);
    data_text.set_caption(
        Text("%1\r\n%2").arg(catalogue_text(familiar.name)).arg(catalogue_text(familiar.description)));
}

void GameForm::show_magic_info(int index) {
    const MagicRecord& magic = magics(index);
    data_text.set_caption(Text("%1\r\n%2").arg(magic.label).arg(catalogue_text(magic.description)));
    data_pic.set_picture(magic.picture);
    show_value(mpdice, magic.cost);

    // A Magic has only its cost.
    hpdice.set_visible(false);
    mvdice.set_visible(false);
    atkdice.set_visible(false);
    label_hp.set_visible(false);
    label_mv.set_visible(false);
    label_atk.set_visible(false);
}

}  // namespace vr
