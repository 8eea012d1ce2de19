// The info panel: a Familiar's or a Magic's data.
#include "app/game_form.h"
#include "app/not_built_yet.h"

namespace vr {

void GameForm::show_familiar_info(int, int) { not_built_yet("show_familiar_info"); }

void GameForm::show_magic_info(int) { not_built_yet("show_magic_info"); }

}  // namespace vr
