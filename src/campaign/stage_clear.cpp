// Stage clear: rewards, the heroine's growth, the next stage behind the screen.
#include "app/game_form.h"
#include "app/not_built_yet.h"

namespace vr {

void GameForm::stage_clear() { not_built_yet("stage_clear"); }

void GameForm::grow_heroine() { not_built_yet("grow_heroine"); }

void GameForm::st_btn_Click() { not_built_yet("st_btn_Click"); }

}  // namespace vr
