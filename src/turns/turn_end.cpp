// Ending a turn and beginning the other side's: dice, readiness, turn counts.
#include "app/game_form.h"
#include "app/not_built_yet.h"

namespace vr {

void GameForm::buttonturn_end_Click() { not_built_yet("buttonturn_end_Click"); }

}  // namespace vr
