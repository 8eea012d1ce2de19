// One event at a time: input made while a handler blocks in a pause waits for the handler to end,
// presses and keys on a discarding button are dropped, a close request waits too, and only a
// reading window's page answers at once.
#include "platform/window/event_gate.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBrowser>

#include "platform/services.h"
#include "platform/window/controls.h"
#include "platform/window/document_window.h"
#include "platform/window/keys.h"

namespace vr {
namespace {

constexpr int kShortPause = 20;

void post_click(QWidget& widget) {
    const QPointF inside(widget.width() / 2.0, widget.height() / 2.0);
    const QPointF global = widget.mapToGlobal(inside);
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QCoreApplication::postEvent(
            &widget, new QMouseEvent(type, inside, global, Qt::LeftButton,
                                     type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                                     Qt::NoModifier));
    }
}

void let_events_run(int milliseconds) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < milliseconds) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

class GameWindow : public Window {
public:
    int unloads = 0;
    std::vector<int> keys;
    QWidget* turn_button = nullptr;  // what Space presses

protected:
    void on_unload() override { ++unloads; }
    bool on_key_down(int key) override {
        keys.push_back(key);
        return true;
    }
    QWidget* key_target(int key) override { return key == kKeySpace ? turn_button : nullptr; }
};

class EventGateTest : public ::testing::Test {
protected:
    EventGateTest() {
        window.set_client_size(200, 100);
        button.place(10, 10, 80, 25);
        button.on_click = [this] { ++clicks; };
        window.show();
        let_events_run(kShortPause);
    }
    ~EventGateTest() override { button.set_discard_presses_while_busy(false); }

    GameWindow window;
    CommandButton button{window.client()};
    QtPause pause;
    int clicks = 0;
};

TEST_F(EventGateTest, AClickDuringAPauseIsHandledAfterTheHandlerEnds) {
    int clicks_during_handler = -1;
    EventGate::run([&] {
        post_click(button);
        pause.sleep(kShortPause);
        clicks_during_handler = clicks;
    });
    EXPECT_EQ(clicks_during_handler, 0) << "input must wait while the handler blocks";
    let_events_run(kShortPause);
    EXPECT_EQ(clicks, 1) << "the held click is delivered afterwards";
}

TEST_F(EventGateTest, APressOnADiscardingButtonDuringAPauseIsDropped) {
    button.set_discard_presses_while_busy(true);
    EventGate::run([&] {
        post_click(button);
        pause.sleep(kShortPause);
    });
    let_events_run(kShortPause);
    EXPECT_EQ(clicks, 0);
    button.set_discard_presses_while_busy(false);
    post_click(button);
    let_events_run(kShortPause);
    EXPECT_EQ(clicks, 1) << "outside a handler the button works as usual";
}

TEST_F(EventGateTest, KeysDuringAPauseWaitAndAKeyForADiscardingButtonIsDropped) {
    window.turn_button = &button;
    button.set_discard_presses_while_busy(true);
    EventGate::run([&] {
        for (int key : {Qt::Key_M, Qt::Key_Space, Qt::Key_Left})
            QCoreApplication::postEvent(&window, new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier));
        pause.sleep(kShortPause);
        EXPECT_TRUE(window.keys.empty()) << "keys must wait while the handler blocks";
    });
    let_events_run(kShortPause);
    EXPECT_EQ(window.keys, (std::vector<int>{'M', kKeyLeft}));
    button.set_discard_presses_while_busy(false);
}

TEST_F(EventGateTest, AReadingWindowScrollsAndClosesWithEscapeDuringAPauseWhileItsButtonsWait) {
    DocumentWindow reading(window, 200, 100);
    for (int line = 0; line < 50; ++line) reading.add_paragraph("line " + std::to_string(line));
    reading.add_button(DocumentButton::Close, "close");
    reading.open();
    let_events_run(kShortPause);
    auto* page = reading.findChild<QTextBrowser*>();
    EventGate::run([&] {
        QCoreApplication::postEvent(page, new QKeyEvent(QEvent::KeyPress, Qt::Key_PageDown, Qt::NoModifier));
        post_click(*reading.findChild<QPushButton*>());
        pause.sleep(kShortPause);
        EXPECT_GT(page->verticalScrollBar()->value(), 0) << "the page answers while the game is busy";
        EXPECT_TRUE(reading.isVisible()) << "a button waits for the handler like any click";
    });
    let_events_run(kShortPause);
    EXPECT_FALSE(reading.isVisible());

    reading.open();
    let_events_run(kShortPause);
    EventGate::run([&] {
        QCoreApplication::postEvent(page, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
        pause.sleep(kShortPause);
        EXPECT_FALSE(reading.isVisible()) << "Escape on the page closes it while the game is busy";
    });
}

TEST_F(EventGateTest, ACloseRequestDuringAHandlerTakesEffectWhenItEnds) {
    EventGate::run([&] {
        window.close();
        EXPECT_TRUE(window.isVisible()) << "the window stays while the handler runs";
        EXPECT_EQ(window.unloads, 0);
    });
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.unloads, 1);
}

TEST_F(EventGateTest, TimerTicksInsideAPauseAreSkipped) {
    Timer timer;
    int ticks = 0;
    timer.on_tick = [&] { ++ticks; };
    timer.set_interval(1);
    timer.set_enabled(true);
    EventGate::run([&] { pause.sleep(kShortPause); });
    EXPECT_EQ(ticks, 0);
    let_events_run(kShortPause);
    EXPECT_GT(ticks, 0);
}

}  // namespace
}  // namespace vr
