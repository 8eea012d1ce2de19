// Test entry point: one offscreen QApplication for every suite.
#include <gtest/gtest.h>

#include <QApplication>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cstdlib>

int main(int argc, char** argv) {
    // Test discovery runs this binary without ctest's environment, so default it here.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    // The desktop names no language, so every window starts in the game's own Japanese whatever
    // the developer's desktop speaks; tests that want another language choose it.
    for (const char* variable : {"LANGUAGE", "LC_ALL", "LC_MESSAGES"}) unsetenv(variable);
    setenv("LANG", "C.UTF-8", 1);
    QApplication app(argc, argv);
    // Preferences and the player's files go to a test location, never the user's own; the
    // preferences of each test process apart, as ctest runs tests side by side.
    QStandardPaths::setTestModeEnabled(true);
    const QTemporaryDir settings;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
