// The eight Magics' effects.
#include "app/game_form.h"
#include "app/not_built_yet.h"

namespace vr {

void GameForm::cast_sleep(int) { not_built_yet("cast_sleep"); }

void GameForm::cast_heal(int) { not_built_yet("cast_heal"); }

void GameForm::cast_bullet(int) { not_built_yet("cast_bullet"); }

void GameForm::cast_quick(int) { not_built_yet("cast_quick"); }

void GameForm::cast_power(int) { not_built_yet("cast_power"); }

void GameForm::cast_trap(int) { not_built_yet("cast_trap"); }

void GameForm::cast_highheal(int) { not_built_yet("cast_highheal"); }

void GameForm::cast_meteor(int) { not_built_yet("cast_meteor"); }

}  // namespace vr
