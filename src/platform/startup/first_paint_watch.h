// Work that waits until a window has first been painted, so it never stands between the start
// and the first sight of the title.
#pragma once

#include <QObject>
#include <functional>

class QWidget;

namespace vr {

// Runs `action` once, when any widget of `window` is first painted, just before that paint (the
// action should only post work or end a wait). Watching ends with this object.
class FirstPaintWatch : public QObject {
public:
    FirstPaintWatch(QWidget& window, std::function<void()> action, QObject* parent = nullptr);
    ~FirstPaintWatch() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& window_;
    std::function<void()> action_;
};

}  // namespace vr
