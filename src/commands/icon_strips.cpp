// Presses and pointing on the familiar and magic icon strips.
#include "app/game_form.h"
#include "app/not_built_yet.h"

namespace vr {

void GameForm::monicon_MouseDown(int, int, int, float, float) { not_built_yet("monicon_MouseDown"); }

void GameForm::monicon_MouseMove(int, int, int, float, float) { not_built_yet("monicon_MouseMove"); }

void GameForm::mgcicon_MouseDown(int, int, int, float, float) { not_built_yet("mgcicon_MouseDown"); }

void GameForm::mgcicon_MouseMove(int, int, int, float, float) { not_built_yet("mgcicon_MouseMove"); }

}  // namespace vr
