// The move, summon and magic buttons, and wiping the icon strips.
#include "app/game_form.h"
#include "app/not_built_yet.h"

namespace vr {

void GameForm::buttonmove_Click() { not_built_yet("buttonmove_Click"); }

void GameForm::buttonsummon_Click() { not_built_yet("buttonsummon_Click"); }

void GameForm::buttonmagic_Click() { not_built_yet("buttonmagic_Click"); }

void GameForm::reset_icon_strips() { not_built_yet("reset_icon_strips"); }

}  // namespace vr
