// Moving between the screens, and the menu items that do so.
#include "app/game_form.h"
#include "app/not_built_yet.h"

namespace vr {

void GameForm::show_screen(Frame*) { not_built_yet("show_screen"); }

void GameForm::from_first_Click() { not_built_yet("from_first_Click"); }

void GameForm::from_past_Click() { not_built_yet("from_past_Click"); }

void GameForm::start_Click() { not_built_yet("start_Click"); }

void GameForm::to_title_Click(int) { not_built_yet("to_title_Click"); }

void GameForm::menu_totitle_Click() { not_built_yet("menu_totitle_Click"); }

void GameForm::menu_gameend_Click() { not_built_yet("menu_gameend_Click"); }

void GameForm::gameend_Click() { not_built_yet("gameend_Click"); }

}  // namespace vr
