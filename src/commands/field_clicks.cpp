// Presses and pointing on the field.
#include "app/game_form.h"
#include "app/not_built_yet.h"

namespace vr {

void GameForm::fld_MouseDown(int, int, float, float) { not_built_yet("fld_MouseDown"); }

void GameForm::fld_MouseMove(int, int, float, float) { not_built_yet("fld_MouseMove"); }

}  // namespace vr
