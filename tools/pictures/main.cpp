// make_pictures: regenerates every bitmap in vr_data from assets/pictures, or renders review sheets.
#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>

#include "icon_set.h"
#include "picture_set.h"
#include "preview.h"

namespace {
constexpr char kUsage[] =
    "usage: make_pictures ASSETS_DIR OUTPUT_DIR\n"
    "       make_pictures --contact-sheet OUT.png ASSETS_DIR\n"
    "       make_pictures --field-preview OUT.png ASSETS_DIR\n"
    "       make_pictures --icons NAME OUT_DIR ASSETS_DIR\n";

int fail(const QString& message) {
    std::fprintf(stderr, "make_pictures: %s\n", qPrintable(message));
    return EXIT_FAILURE;
}

// The desktop icons: OUT_DIR/NxN/apps/NAME.png for every hicolor size.
int make_icons(const QString& name, const QString& out_dir, const QString& assets) {
    const auto icons = build_icon_set(assets);
    if (!icons) return fail(icons.error);
    if (const auto error = write_icon_set(*icons.value, out_dir, name)) return fail(*error);
    return EXIT_SUCCESS;
}
}  // namespace

int main(int argc, char** argv) {
    if (argc == 5 && QLatin1String(argv[1]) == QLatin1String("--icons"))
        return make_icons(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]),
                          QString::fromLocal8Bit(argv[4]));
    if (argc != 3 && argc != 4) {
        std::fputs(kUsage, stderr);
        return EXIT_FAILURE;
    }
    const bool sheet = argc == 4 && QLatin1String(argv[1]) == QLatin1String("--contact-sheet");
    const bool field = argc == 4 && QLatin1String(argv[1]) == QLatin1String("--field-preview");
    if (argc == 4 && !sheet && !field) {
        std::fputs(kUsage, stderr);
        return EXIT_FAILURE;
    }
    // Labels on the sheet need fonts, hence an application; no window is ever shown.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);
    const QString assets = QString::fromLocal8Bit(argv[argc == 4 ? 3 : 1]);
    const auto pictures = build_picture_set(assets);
    if (!pictures) return fail(pictures.error);
    if (argc == 3) {
        if (const auto error = write_picture_set(*pictures.value, QString::fromLocal8Bit(argv[2])))
            return fail(*error);
        std::printf("wrote %zu pictures\n", pictures.value->size());
        return EXIT_SUCCESS;
    }
    const QImage image = sheet ? render_contact_sheet(*pictures.value, kPreviewScale)
                               : render_field_preview(*pictures.value, kPreviewScale);
    const QString out = QString::fromLocal8Bit(argv[2]);
    if (image.isNull() || !image.save(out, "PNG"))
        return fail(out + QStringLiteral(": cannot write the PNG"));
    return EXIT_SUCCESS;
}
