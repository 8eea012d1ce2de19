// The menu item: a caption, a check mark the handler owns, and a click run through the event gate.
#include <QAction>
#include <QActionGroup>
#include <QKeySequence>
#include <QMenu>

#include "platform/window/control_support.h"
#include "platform/window/controls.h"
#include "platform/window/event_gate.h"

namespace vr {

MenuItem::MenuItem(QMenu* menu, const std::string& caption)
    : action_(menu->addAction(to_qstring(caption))), caption_(caption) {
    QObject::connect(action_, &QAction::triggered, [this] {
        action_->setChecked(checked_);  // undo Qt's own toggle
        if (on_click) EventGate::run(on_click);
    });
}

void MenuItem::set_caption(const std::string& caption) {
    caption_ = caption;
    action_->setText(to_qstring(caption));
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
    action_->setShortcut(QKeySequence(to_qstring(key)));
}

}  // namespace vr
