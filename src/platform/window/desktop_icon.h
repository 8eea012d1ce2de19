// The game on the desktop: the window icon and the desktop entry its windows belong to.
#pragma once

#include <QIcon>

class QWidget;

namespace vr {

// The icon in every window-icon size found (up to 128 px): the installed one
// (../share/icons/hicolor from the executable) or the one the build drew (icons/hicolor beside the
// executable). Empty when neither is there.
QIcon desktop_icon();

// Ties window to the installed desktop entry now, and gives it the game's icon once it has first
// been painted.
void set_desktop_identity(QWidget& window);

}  // namespace vr
