// One event at a time: while a game handler runs (and blocks in a pause), the player's input
// is held back and delivered in order after the handler returns, timer ticks are skipped,
// and a close request waits for the handler to end.
#pragma once

#include <functional>

class QKeyEvent;
class QWidget;

namespace vr {

class EventGate {
public:
    // Runs a game handler. A handler started while another one runs (only a timer tick can get
    // there, through a pause) is skipped.
    static void run(const std::function<void()>& handler);
    static bool busy();

    // Installs the input filter on the application (idempotent); `window` is closed when a close
    // request was held back.
    static void install(QWidget* window);
    static void request_close_later();
    static bool close_pending();

    // Presses on this widget made while it is marked are dropped instead of held back; so are
    // keys aimed at it, as `target` (given by `owner`, the window) tells.
    static void set_discard_presses(QWidget* widget, bool discard);
    // Input to this widget and everything in it is never held: nothing there starts a game
    // handler, so it answers even while the game is busy (a page the player reads meanwhile).
    static void set_passes_input(QWidget* widget);
    static void set_key_target(QWidget* owner, std::function<QWidget*(const QKeyEvent&)> target);
};

}  // namespace vr
