// The menu item: a caption, a check mark the handler owns, and a click run through the event gate.
#include <QAction>
#include <QActionGroup>
#include <QEvent>
#include <QKeySequence>
#include <QMenu>

#include "platform/window/control_support.h"
#include "platform/window/controls.h"
#include "platform/window/event_gate.h"

namespace vr {

// An action that shows its caption again in a new language; its menu passes the news on.
class CaptionAction : public QAction {
public:
    CaptionAction(QMenu* menu, const Text& caption) : QAction(menu) { set_caption(caption); }
    void set_caption(const Text& caption) {
        caption_ = caption;
        setText(caption.shown());
    }

protected:
    bool event(QEvent* event) override {
        if (event->type() == QEvent::LanguageChange) setText(caption_.shown());
        return QAction::event(event);
    }

private:
    Text caption_;
};

MenuItem::MenuItem(QMenu* menu, const Text& caption)
    : action_(new CaptionAction(menu, caption)), caption_source_(caption.source()) {
    menu->addAction(action_);
    QObject::connect(action_, &QAction::triggered, [this] {
        action_->setChecked(checked_);  // undo Qt's own toggle
        if (on_click) EventGate::run(on_click);
    });
}

void MenuItem::set_caption(const Text& caption) {
    caption_source_ = caption.source();
    action_->set_caption(caption);
}

void MenuItem::set_checked(bool checked) {
    checked_ = checked;
    action_->setCheckable(true);
    action_->setChecked(checked);
}

bool MenuItem::checked() const {
    return checked_;
}

void MenuItem::click() {
    if (on_click) on_click();
}

void MenuItem::join_radio_group(QActionGroup* group) {
    action_->setCheckable(true);
    group->addAction(action_);
}

void MenuItem::set_shortcut(const std::string& key) {
    action_->setShortcut(QKeySequence(QString::fromStdString(key)));
}

}  // namespace vr
