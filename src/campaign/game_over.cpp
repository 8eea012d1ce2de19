// Game over: back to stage 1.
#include "app/game_form.h"
#include "app/not_built_yet.h"

namespace vr {

void GameForm::game_over() { not_built_yet("game_over"); }

}  // namespace vr
