// Summoning a Familiar from reserve onto the field.
#include "app/game_form.h"
#include "app/not_built_yet.h"

namespace vr {

void GameForm::summon_familiar(int) { not_built_yet("summon_familiar"); }

}  // namespace vr
