// The window icon, found beside the executable in a build or under share/icons when installed.
#include "platform/window/desktop_icon.h"

#include <QDir>
#include <QGuiApplication>
#include <QImageReader>
#include <QPixmap>
#include <QTimer>
#include <QWidget>
#include <algorithm>

#include "platform/files/paths.h"
#include "platform/startup/first_paint_watch.h"

namespace vr {

namespace {

// Set by the build: the name of the desktop entry and of the icon files, and the way from the
// installed executable's folder to the shared data ("../share").
constexpr const char* kAppId = BERORAN_APP_ID;
constexpr const char* kDataFromProgram = BERORAN_DATA_FROM_BIN;
constexpr const char* kIconTheme = "icons/hicolor";
// Window managers show a window's icon at taskbar and switcher sizes; the larger files are for
// launchers, which read them from the theme.
constexpr int kLargestWindowIcon = 128;

}  // namespace

QIcon desktop_icon() {
    const QString file_name = QLatin1String(kAppId) + QStringLiteral(".png");
    const QString program = QString::fromStdString(program_directory());
    const QString installed =
        QStringLiteral("%1/%2/%3").arg(program, QLatin1String(kDataFromProgram), QLatin1String(kIconTheme));
    const QString built = QStringLiteral("%1/%2").arg(program, QLatin1String(kIconTheme));
    for (const QString& theme : {installed, built}) {
        const QDir folder(theme);
        // One folder per size ("16x16" .. "256x256"), smallest first: the X11 window icon stops at
        // the first size too large to send.
        QStringList sizes = folder.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        std::sort(sizes.begin(), sizes.end(), [](const QString& a, const QString& b) {
            return a.section(QLatin1Char('x'), 0, 0).toInt() < b.section(QLatin1Char('x'), 0, 0).toInt();
        });
        QIcon icon;
        for (const QString& size : sizes) {
            if (size.section(QLatin1Char('x'), 0, 0).toInt() > kLargestWindowIcon) continue;
            const QString file = folder.filePath(size + QStringLiteral("/apps/") + file_name);
            // Named, not guessed: guessing loads every installed image plugin to ask them first.
            QImageReader reader(file, "png");
            reader.setAutoDetectImageFormat(false);
            const QImage image = reader.read();
            if (!image.isNull()) icon.addPixmap(QPixmap::fromImage(image));
        }
        if (!icon.isNull()) return icon;
    }
    return {};
}

void set_desktop_identity(QWidget& window) {
    QGuiApplication::setDesktopFileName(QLatin1String(kAppId));
    // Decoding the icon waits until the title has been seen.
    new FirstPaintWatch(
        window,
        [&window] { QTimer::singleShot(0, &window, [&window] { window.setWindowIcon(desktop_icon()); }); },
        &window);
}

}  // namespace vr
