// Small helpers the controls' own files share; the game never calls them.
#pragma once

#include <QString>
#include <string>

#include "platform/window/controls.h"

namespace vr {

void set_background(QWidget* widget, Colour colour);
// Space and Enter press a button.
bool is_press_key(int key);
// The scale of the window a control stands in; 1 for a control outside any game window.
int scale_of_window(const QWidget* widget);

}  // namespace vr
