// The main window: a fixed client area under a menu bar at a whole-number scale, its keys, its
// language and its close box.
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>

#include "platform/startup/first_paint_watch.h"
#include "platform/window/control_support.h"
#include "platform/window/controls.h"
#include "platform/window/deferred_icon_style.h"
#include "platform/window/desktop_icon.h"
#include "platform/window/document_window.h"
#include "platform/window/event_gate.h"
#include "platform/window/keys.h"

namespace vr {

namespace {

QFont scaled_font(const QFont& font, int scale) {
    QFont scaled = font;
    if (font.pixelSize() > 0) {
        scaled.setPixelSize(font.pixelSize() * scale);
    } else {
        scaled.setPointSizeF(font.pointSizeF() * scale);
    }
    return scaled;
}

// A menu whose title follows the language and whose text follows the window's scale. It keeps
// the desktop's menu font, only larger.
class GameMenu : public QMenu {
public:
    GameMenu(const Text& title, QWidget* parent, int scale)
        : QMenu(parent), title_(title), base_font_(font()) {
        setTitle(title.shown());
        apply_scale(scale);
    }
    void apply_scale(int scale) { setFont(scaled_font(base_font_, scale)); }

protected:
    void changeEvent(QEvent* event) override {
        if (event->type() == QEvent::LanguageChange) setTitle(title_.shown());
        QMenu::changeEvent(event);
    }

private:
    Text title_;
    QFont base_font_;
};

}  // namespace

Window::Window() : client_(new QWidget(this)) {
    // The menu bar stays in the window on every desktop: the window is laid out around it, and
    // looking for a global menu service on the session bus would hold up the title.
    QApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
    install_deferred_icon_style();
    setCentralWidget(client_);
    client_->setAutoFillBackground(true);
    EventGate::install(this);
    EventGate::set_key_target(this, [this](const QKeyEvent& event) -> QWidget* {
        const int key = game_key(event);
        if (key == kKeyNone) return nullptr;
        // Space and Enter press the button that has the Tab focus, when there is one.
        QWidget* focused = focusWidget();
        if (is_press_key(key) && dynamic_cast<CommandButton*>(focused) && reachable(*focused)) return focused;
        return key_target(key);
    });
    set_desktop_identity(*this);
}

void Window::set_caption(const Text& caption) {
    caption_ = caption;
    setWindowTitle(caption.shown());
}

void Window::set_language(Language language) {
    install_language(language);
    // Qt posts the news to every window; this one shows it before the handler that chose returns.
    QEvent changed(QEvent::LanguageChange);
    QCoreApplication::sendEvent(this, &changed);
}

void Window::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) setWindowTitle(caption_.shown());
    QMainWindow::changeEvent(event);
}

void Window::set_client_size(int width, int height) {
    client_size_ = QSize(width, height);
    client_->setFixedSize(client_size_ * scale_);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void Window::set_font(const char* family, int pixels) {
    font_ = QFont(family);
    font_.setPixelSize(pixels);
    setFont(font_);
    set_scale(scale_);
}

void Window::set_scale(int scale) {
    assert(scale >= kSmallestScale && scale <= kLargestScale);
    scale_ = scale;
    const QFont scaled = scaled_font(font_, scale);
    client_->setFont(scaled);
    for (QWidget* child : client_->findChildren<QWidget*>()) {
        if (auto* control = dynamic_cast<ScaledControl*>(child)) control->apply_scale(scale);
    }
    menuBar()->setFont(scaled);
    // Qt's own menus (the overflow arrow's) stay as they are.
    for (QMenu* menu : menuBar()->findChildren<QMenu*>()) {
        if (auto* game_menu = dynamic_cast<GameMenu*>(menu)) game_menu->apply_scale(scale);
    }
    // The window's reading windows take the new size too.
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (auto* document = dynamic_cast<DocumentWindow*>(child)) document->apply_scale(scale);
    }
    if (!client_size_.isValid()) return;
    client_->setFixedSize(client_size_ * scale);
    // The fixed-size layout fits the window around the new client area now, so a window about to
    // be shown appears at its final size.
    layout()->activate();
}

int Window::menu_bar_height(int scale) const {
    const QFontMetrics now(menuBar()->font());
    const QFontMetrics then(scaled_font(font_, scale));
    return menuBar()->sizeHint().height() - now.height() + then.height();
}

QSize Window::available_screen_size() const {
    return screen()->availableGeometry().size();
}

void Window::set_back_colour(Colour colour) {
    set_background(client_, colour);
}

QMenu* Window::add_menu(const Text& caption) {
    auto* menu = new GameMenu(caption, menuBar(), scale_);
    menuBar()->addMenu(menu);
    return menu;
}

QMenu* Window::add_submenu(QMenu* menu, const Text& caption) {
    auto* submenu = new GameMenu(caption, menu, scale_);
    menu->addMenu(submenu);
    return submenu;
}

QActionGroup* Window::add_radio_group() {
    auto* group = new QActionGroup(this);
    // MenuItem puts an item's own check back after Qt's toggle and the handler sets the marks, so
    // Qt must allow a moment with none checked.
    group->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    return group;
}

void Window::drop_focus() {
    tab_focus_ = nullptr;
    if (QWidget* focused = focusWidget()) focused->clearFocus();
}

void Window::show_painted() {
    // A display that never answers only delays what follows, by this much.
    constexpr int kLongestWaitMs = 500;
    QEventLoop loop;
    // The paint pass under way completes before the loop sees the quit.
    FirstPaintWatch painted(*this, [&loop] { loop.quit(); });
    QTimer::singleShot(kLongestWaitMs, &loop, &QEventLoop::quit);
    show();
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

void Window::keyPressEvent(QKeyEvent* event) {
    const int key = game_key(*event);
    // Only the cursor keys repeat while held; a held Enter must not end turn after turn.
    const bool repeat_ok = key == kKeyLeft || key == kKeyRight;
    bool handled = false;
    if (key != kKeyNone && (repeat_ok || !event->isAutoRepeat()))
        EventGate::run([&] { handled = on_key_down(key); });
    if (!handled) QMainWindow::keyPressEvent(event);
}

bool Window::focusNextPrevChild(bool next) {
    QWidget* start = focusWidget() ? focusWidget() : this;
    QWidget* candidate = start;
    do {
        candidate = next ? candidate->nextInFocusChain() : candidate->previousInFocusChain();
        if (candidate != this && isAncestorOf(candidate) && (candidate->focusPolicy() & Qt::TabFocus) &&
            reachable(*candidate)) {
            tab_focus_ = candidate;
            candidate->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    } while (candidate != start);
    drop_focus();
    return true;
}

void Window::closeEvent(QCloseEvent* event) {
    if (EventGate::busy()) {
        EventGate::request_close_later();
        event->ignore();
        return;
    }
    on_unload();
    event->accept();
}

int largest_fitting_scale(QSize available, QSize client,
                          const std::function<int(int scale)>& menu_bar_height) {
    // About 60 % of the screen leaves room for the desktop's panels and other windows.
    constexpr int kSharePercent = 60;
    const auto fits = [&](int scale) {
        return 100 * client.width() * scale <= kSharePercent * available.width() &&
               100 * (client.height() * scale + menu_bar_height(scale)) <= kSharePercent * available.height();
    };
    int scale = kSmallestScale;
    while (scale < kLargestScale && fits(scale + 1)) ++scale;
    return scale;
}

}  // namespace vr
