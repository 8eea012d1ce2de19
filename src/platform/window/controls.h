// The window's controls as the game's routines expect them: picture boxes with a persistent
// image and raster-op drawing, labels, frames, buttons, menu items, control arrays and a timer.
#pragma once

#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <array>
#include <cassert>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/language/language.h"
#include "platform/language/text.h"
#include "platform/window/picture.h"

class QAction;
class QActionGroup;
class QMenu;

namespace vr {

class CaptionAction;

// Colours as the game writes them: 0x00BBGGRR.
using Colour = uint32_t;
constexpr Colour rgb(int r, int g, int b) {
    return static_cast<Colour>(r) | (static_cast<Colour>(g) << 8) | (static_cast<Colour>(b) << 16);
}
QColor to_qcolor(Colour colour);

enum class RasterOp {
    MergePaint,  // dest = (NOT src) OR dest
    SrcAnd,      // dest = src AND dest
};

// Applies one raster operation of `source` onto `target` at (x, y), clipped; both RGB32.
void paint_raster(QImage& target, const QImage& source, int x, int y, RasterOp op);

// Whether a click could land on `control` now: it is shown and enabled, and nothing lies over
// its middle (a screen panel hides the board's controls without hiding them).
bool reachable(const QWidget& control);

// Mouse handlers receive button, shift state and the position in the control's own pixels.
using MouseHandler = std::function<void(int button, int shift, float x, float y)>;

// The window shows the game's 465 x 279 pixels `scale` times larger. Each control keeps its place
// in the game's own pixels, which is all the game's routines ever see, and stands on screen at
// that place times the scale.
class ScaledControl {
public:
    virtual ~ScaledControl() = default;
    const QRect& logical_geometry() const { return logical_; }
    int scale() const { return scale_; }
    // Stands the control at its place times `scale` and redraws it at that size.
    virtual void apply_scale(int scale);

protected:
    explicit ScaledControl(QWidget* self);
    void set_logical_geometry(const QRect& geometry);

private:
    QWidget* self_;
    QRect logical_;
    int scale_;
};

class PictureBox : public QWidget, public ScaledControl {
public:
    explicit PictureBox(QWidget* parent);

    void place(int x, int y, int width, int height);
    // The background picture: clears everything drawn before.
    void set_picture(const Picture& picture);
    const Picture& picture() const { return picture_; }
    void paint_picture(const Picture& picture, int x, int y, RasterOp op);
    // Shows the image now, even in the middle of a handler.
    void refresh();
    void set_visible(bool visible) { setVisible(visible); }
    bool is_visible() const { return !isHidden(); }
    void set_back_colour(Colour colour);
    const QImage& image() const;
    // The keyboard cursor: a frame painted over the image on screen, never into it.
    void set_key_cursor(int x, int y, int width, int height);
    void clear_key_cursor();
    bool key_cursor_shown() const { return !key_cursor_.isNull(); }

    MouseHandler on_mouse_down;
    MouseHandler on_mouse_move;
    // Tests watch the frames of an animation through this.
    std::function<void(const QImage&)> on_refresh;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void clear_image();
    // The image, made from the picture and back colour when it was cleared since last asked for.
    QImage& drawn_image() const;

    // Made when first needed: most boxes get their picture before anything is drawn on them.
    mutable QImage image_;
    Picture picture_;
    QColor back_colour_{Qt::white};
    QRect key_cursor_;
};

class Label : public QLabel, public ScaledControl {
public:
    explicit Label(QWidget* parent);
    void place(int x, int y, int width, int height);
    // Shows the caption in the language in use; caption() is the game's own Japanese, with its
    // CR LF line breaks, whatever the screen shows.
    void set_caption(const Text& caption);
    const std::string& caption() const { return caption_source_; }
    void set_back_colour(Colour colour);
    void set_visible(bool visible) { setVisible(visible); }
    bool is_visible() const { return !isHidden(); }
    void refresh() { repaint(); }

protected:
    void changeEvent(QEvent* event) override;

private:
    Text caption_;
    std::string caption_source_;
};

// A panel with a caption on its top border and a back colour, holding other controls.
class Frame : public QWidget, public ScaledControl {
public:
    // The caption cut into the border, in the game's pixels: its indent from the left edge, and
    // the border's gap on either side of its text.
    static constexpr int kCaptionLeft = 8;
    static constexpr int kCaptionPadding = 2;

    explicit Frame(QWidget* parent);
    void place(int x, int y, int width, int height);
    void set_left(int x);
    void set_top(int y);
    void set_caption(const Text& caption);
    const std::string& caption() const { return caption_source_; }
    const QString& shown_caption() const { return caption_shown_; }  // as the border shows it
    // Screens hide the border and caption; board panels show them.
    void set_border_visible(bool visible);
    bool border_visible() const { return border_visible_; }
    void set_back_colour(Colour colour);
    Colour back_colour() const { return back_colour_; }
    void set_visible(bool visible) { setVisible(visible); }
    bool is_visible() const { return !isHidden(); }
    void refresh() { repaint(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    Text caption_;
    std::string caption_source_;
    QString caption_shown_;
    Colour back_colour_ = rgb(255, 255, 255);
    bool border_visible_ = true;
};

class CommandButton : public QPushButton, public ScaledControl {
public:
    explicit CommandButton(QWidget* parent);
    void place(int x, int y, int width, int height);
    void set_caption(const Text& caption);
    const std::string& caption() const { return caption_source_; }
    void set_visible(bool visible) { setVisible(visible); }
    bool is_visible() const { return !isHidden(); }
    // Presses made while a handler runs are normally delivered afterwards; while this is on
    // they are dropped instead.
    void set_discard_presses_while_busy(bool discard);
    void set_tooltip(const Text& text);

    std::function<void()> on_click;

protected:
    // Space (as any Qt button) and Enter press the button that has the Tab focus; other keys go
    // on to the window.
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    Text caption_;
    std::string caption_source_;
    Text tooltip_;
};

class MenuItem {
public:
    MenuItem(QMenu* menu, const Text& caption);
    void set_caption(const Text& caption);
    const std::string& caption() const { return caption_source_; }
    // The check mark is the item's own state: a click leaves it to the handler to change it.
    void set_checked(bool checked);
    bool checked() const;
    // What a click on the item does; tests call it directly.
    void click();
    // Shows the item's mark as one of a group's round marks; which one is checked is still up to
    // the handler.
    void join_radio_group(QActionGroup* group);
    // A key that chooses the item while its window is active, e.g. "F1"; the menu shows it.
    void set_shortcut(const std::string& key);

    std::function<void()> on_click;

private:
    CaptionAction* action_;
    std::string caption_source_;
    bool checked_ = false;
};

class Timer {
public:
    Timer();
    void set_interval(int milliseconds) { timer_.setInterval(milliseconds); }
    int interval() const { return timer_.interval(); }
    void set_enabled(bool enabled);
    bool enabled() const { return enabled_; }

    std::function<void()> on_tick;

private:
    QTimer timer_;
    bool enabled_ = false;
};

// Reports a broken index and aborts: a bound error is a bug, never silently read.
[[noreturn]] void index_out_of_range(const char* what, int index, int lo, int hi);

// A control array: controls sharing one handler that receives the index, with the index
// bounds of the game (e.g. monicon 0..9, Frame1 1..2). A wrong index fails loudly.
template <typename Control, int Lo, int Hi>
class ControlArray {
public:
    static constexpr int kLo = Lo;
    static constexpr int kHi = Hi;

    explicit ControlArray(QWidget* parent) {
        for (auto& control : controls_) control = std::make_unique<Control>(parent);
    }
    Control& operator()(int index) { return *controls_[checked(index)]; }
    const Control& operator()(int index) const { return *controls_[checked(index)]; }
    Control& operator[](int index) { return (*this)(index); }

private:
    static size_t checked(int index) {
        if (index < Lo || index > Hi) index_out_of_range("control array", index, Lo, Hi);
        return static_cast<size_t>(index - Lo);
    }
    std::array<std::unique_ptr<Control>, Hi - Lo + 1> controls_;
};

// The main window: a client area of fixed size under a menu bar, shown at a whole-number scale.
class Window : public QMainWindow {
public:
    Window();
    void set_caption(const Text& caption);
    // The client area in the game's pixels; on screen it is `scale` times larger.
    void set_client_size(int width, int height);
    QSize client_size() const { return client_size_; }
    void set_back_colour(Colour colour);
    // The window's font; the controls and the menu bar get it at `scale` times its size.
    void set_font(const char* family, int pixels);
    // Shows every control, picture and text `scale` times larger, at once, the menus included;
    // nearest-neighbour for pictures, text drawn at the larger size. The desktop's own scaling
    // multiplies on top. The window's reading windows (DocumentWindow) take the new size too.
    void set_scale(int scale);
    int scale() const { return scale_; }
    // The menu bar's height at `scale`: its margins and its text at that size.
    int menu_bar_height(int scale) const;
    // Shows every text of the window in `language` at once, menus and tooltips included.
    void set_language(Language language);
    Language language() const { return installed_language(); }
    // The screen area the window may use, in the desktop's pixels.
    QSize available_screen_size() const;
    QWidget* client() const { return client_; }
    QMenu* add_menu(const Text& caption);
    QMenu* add_submenu(QMenu* menu, const Text& caption);
    // A group whose items show round marks; it belongs to the window.
    QActionGroup* add_radio_group();
    // Takes the Tab focus away, so Enter and Space fall back to what the window makes of them.
    void drop_focus();
    // Whether the Tab keys put the focus on `control`: only then does coming back to the window
    // give it back.
    bool focus_chosen(const QWidget& control) const { return &control == tab_focus_; }
    // Shows the window and returns once it has been painted (or after a short wait on a slow
    // display). Clicks and keys that arrive meanwhile wait for the caller's work to end.
    void show_painted();

protected:
    // The close box: runs the window's unload routine unless a handler is busy, in which case
    // the close waits for the handler to end.
    void closeEvent(QCloseEvent* event) override;
    virtual void on_unload() {}
    // A key pressed on the window (kKeyNone never arrives); runs as a handler through the event
    // gate. Returns whether the key did something.
    virtual bool on_key_down(int) { return false; }
    // The control a key would press now, if any: a key aimed at a button that drops presses
    // while the game is busy is dropped with them.
    virtual QWidget* key_target(int) { return nullptr; }
    void keyPressEvent(QKeyEvent* event) override;
    // Tab and Shift+Tab pass over controls a click could not reach.
    bool focusNextPrevChild(bool next) override;
    void changeEvent(QEvent* event) override;

private:
    QWidget* client_;
    QSize client_size_;
    QFont font_;
    int scale_ = 1;
    const QWidget* tab_focus_ = nullptr;  // where Tab put the focus last; only ever compared
    Text caption_;
};

constexpr int kSmallestScale = 1;
constexpr int kLargestScale = 4;

// The largest scale from 1 to 4 at which a window with this client area and its menu bar at that
// scale fits within about 60 % of the available screen area in each direction; 1 when even that
// does not fit.
int largest_fitting_scale(QSize available, QSize client,
                          const std::function<int(int scale)>& menu_bar_height);

}  // namespace vr
