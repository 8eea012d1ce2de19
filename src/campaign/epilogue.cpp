// The last scene and the game-clear screen.
#include "app/game_form.h"
#include "app/not_built_yet.h"

namespace vr {

void GameForm::show_epilogue() { not_built_yet("show_epilogue"); }

void GameForm::gameclear2_Click() { not_built_yet("gameclear2_Click"); }

}  // namespace vr
