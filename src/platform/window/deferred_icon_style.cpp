// A proxy of the application's own style: everything is drawn as before, and two standard icons
// wait until they are drawn before they are decoded.
#include "platform/window/deferred_icon_style.h"

#include <QApplication>
#include <QIconEngine>
#include <QPointer>
#include <QProxyStyle>

namespace vr {

namespace {

// One of a style's standard icons, asked of the style the first time anything needs its pixels.
class DeferredIcon : public QIconEngine {
public:
    DeferredIcon(QStyle* style, QStyle::StandardPixmap which) : style_(style), which_(which) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return icon().pixmap(size, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return icon().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return icon().availableSizes(mode, state);
    }
    // Every style has these arrows; saying so keeps a button from decoding one just to ask.
    bool isNull() override { return false; }
    QIconEngine* clone() const override { return new DeferredIcon(*this); }

private:
    const QIcon& icon() {
        if (!made_ && style_) icon_ = style_->standardIcon(which_);
        made_ = true;
        return icon_;
    }

    QPointer<QStyle> style_;
    QStyle::StandardPixmap which_;
    QIcon icon_;
    bool made_ = false;
};

class DeferredIconStyle : public QProxyStyle {
public:
    QIcon standardIcon(StandardPixmap which, const QStyleOption* option,
                       const QWidget* widget) const override {
        const bool overflow_arrow =
            which == SP_ToolBarHorizontalExtensionButton || which == SP_ToolBarVerticalExtensionButton;
        // With an option the icon may depend on it, and the option lives only for this call.
        if (overflow_arrow && option == nullptr) return QIcon(new DeferredIcon(baseStyle(), which));
        return QProxyStyle::standardIcon(which, option, widget);
    }
};

}  // namespace

void install_deferred_icon_style() {
    if (dynamic_cast<DeferredIconStyle*>(QApplication::style()) == nullptr)
        QApplication::setStyle(new DeferredIconStyle);
}

}  // namespace vr
