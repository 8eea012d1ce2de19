// Laying out a stage: what each side owns, the opponent, the panels and icons.
#include "app/game_form.h"
#include "app/not_built_yet.h"

namespace vr {

void GameForm::stage_setup() { not_built_yet("stage_setup"); }

void GameForm::setup_heroine() { not_built_yet("setup_heroine"); }

void GameForm::setup_opponent() { not_built_yet("setup_opponent"); }

}  // namespace vr
