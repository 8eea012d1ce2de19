// The game on the desktop: the window icon and the desktop entry its windows belong to.
#pragma once

#include <QIcon>

class QWidget;

namespace vr {

// The icon in every size found: the installed one (../share/icons/hicolor from the executable) or
// the one the build drew (icons/hicolor beside the executable). Empty when neither is there.
QIcon desktop_icon();

// Gives window the game's icon and ties it to the installed desktop entry.
void set_desktop_identity(QWidget& window);

}  // namespace vr
