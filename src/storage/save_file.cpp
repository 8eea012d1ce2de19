// The one save slot: writing it and starting the saved stage.
#include "app/game_form.h"
#include "app/not_built_yet.h"

namespace vr {

void GameForm::menu_save_Click() { not_built_yet("menu_save_Click"); }

void GameForm::menu_load_Click() { not_built_yet("menu_load_Click"); }

}  // namespace vr
