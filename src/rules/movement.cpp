// Movement, strikes, knock-back chains, the bow and the way home.
#include "app/game_form.h"
#include "app/not_built_yet.h"

namespace vr {

int GameForm::move_range(int, int) { not_built_yet("move_range"); }

void GameForm::move_familiar(int, int, int, int) { not_built_yet("move_familiar"); }

void GameForm::advance_familiar(int, int, int, int) { not_built_yet("advance_familiar"); }

void GameForm::strike_familiar(int, int, int) { not_built_yet("strike_familiar"); }

void GameForm::bow_attack(int, int, int, int) { not_built_yet("bow_attack"); }

void GameForm::return_to_master(int, int) { not_built_yet("return_to_master"); }

}  // namespace vr
