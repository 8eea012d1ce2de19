// What every control shares: colours, raster operations, reachability, bound errors and the scale.
#include "platform/window/controls.h"

#include <cstdio>
#include <cstdlib>

#include "platform/window/control_support.h"
#include "platform/window/keys.h"

namespace vr {

void set_background(QWidget* widget, Colour colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, to_qcolor(colour));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

bool is_press_key(int key) {
    return key == kKeySpace || key == kKeyEnter;
}

int scale_of_window(const QWidget* widget) {
    const auto* window = dynamic_cast<const Window*>(widget->window());
    return window ? window->scale() : 1;
}

QColor to_qcolor(Colour colour) {
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

void paint_raster(QImage& target, const QImage& source, int x, int y, RasterOp op) {
    assert(target.format() == QImage::Format_RGB32 && source.format() == QImage::Format_RGB32);
    const int x0 = std::max(0, x);
    const int y0 = std::max(0, y);
    const int x1 = std::min(target.width(), x + source.width());
    const int y1 = std::min(target.height(), y + source.height());
    constexpr uint32_t kColourBits = 0x00FFFFFF;
    constexpr uint32_t kOpaque = 0xFF000000;
    const int width = x1 - x0;
    for (int ty = y0; ty < y1; ++ty) {
        uint32_t* dest = reinterpret_cast<uint32_t*>(target.scanLine(ty)) + x0;
        const uint32_t* src = reinterpret_cast<const uint32_t*>(source.constScanLine(ty - y)) + (x0 - x);
        // One loop per operation keeps the inner loop branch-free, so the compiler vectorises it.
        if (op == RasterOp::MergePaint) {
            for (int i = 0; i < width; ++i) dest[i] = ((~src[i] | dest[i]) & kColourBits) | kOpaque;
        } else {
            for (int i = 0; i < width; ++i) dest[i] = ((src[i] & dest[i]) & kColourBits) | kOpaque;
        }
    }
}

bool reachable(const QWidget& control) {
    const QWidget* top = control.window();
    if (&control == top || !control.isVisibleTo(top) || !control.isEnabled()) return false;
    const QPoint middle = control.mapTo(top, control.rect().center());
    for (const QWidget* hit = top->childAt(middle); hit; hit = hit->parentWidget()) {
        if (hit == &control) return true;
    }
    return false;
}

[[noreturn]] void index_out_of_range(const char* what, int index, int lo, int hi) {
    std::fprintf(stderr, "beroran: %s index %d outside %d..%d\n", what, index, lo, hi);
    std::abort();
}

// ---- ScaledControl ----

ScaledControl::ScaledControl(QWidget* self)
    : self_(self), logical_(self->geometry()), scale_(scale_of_window(self)) {}

void ScaledControl::set_logical_geometry(const QRect& geometry) {
    logical_ = geometry;
    self_->setGeometry(logical_.x() * scale_, logical_.y() * scale_, logical_.width() * scale_,
                       logical_.height() * scale_);
}

void ScaledControl::apply_scale(int scale) {
    scale_ = scale;
    set_logical_geometry(logical_);
    self_->update();
}

}  // namespace vr
