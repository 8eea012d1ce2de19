// Qt key events translated into the game's key codes.
#include "platform/window/keys.h"

#include <QKeyEvent>

namespace vr {

int game_key(const QKeyEvent& event) {
    // Combinations belong to the desktop and the menu, not to the board.
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return kKeyNone;
    const int key = event.key();
    switch (key) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return kKeyEnter;
        case Qt::Key_Escape:
            return kKeyEscape;
        case Qt::Key_Left:
            return kKeyLeft;
        case Qt::Key_Right:
            return kKeyRight;
        case Qt::Key_Space:
            return kKeySpace;
        default:
            break;
    }
    // Qt's codes for letters and digits are their upper-case ASCII codes.
    if ((key >= Qt::Key_0 && key <= Qt::Key_9) || (key >= Qt::Key_A && key <= Qt::Key_Z)) return key;
    return kKeyNone;
}

}  // namespace vr
