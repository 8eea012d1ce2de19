// The computer's turn: a priority list of rules, one action per pass.
#include "app/game_form.h"
#include "app/not_built_yet.h"

namespace vr {

void GameForm::computer_turn() { not_built_yet("computer_turn"); }

}  // namespace vr
