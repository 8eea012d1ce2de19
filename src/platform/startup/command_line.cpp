// --help, --version and the one-line error, with Qt's own options let through.
#include "platform/startup/command_line.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/program_info.h"

namespace vr {

namespace {

constexpr int kBadUsage = 2;
constexpr const char* kProgramName = "beroran";

// The options Qt reads itself: QCoreApplication, QGuiApplication, QApplication (-qdevel and
// -qdebug now do nothing) and the X11 platform, where -geometry, -title and -icon stand for
// -qwindowgeometry, -qwindowtitle and -qwindowicon. Accepted here, shown nowhere.
constexpr const char* kQtValueOptions =
    "qmljsdebugger platform platformpluginpath platformtheme plugin session qwindowgeometry qwindowicon "
    "qwindowtitle style stylesheet display geometry title icon name visual";
constexpr const char* kQtFlags = "reverse testability widgetcount qdevel qdebug nograb dograb";

void hide(QCommandLineParser& parser, QCommandLineOption option) {
    option.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(option);
}

}  // namespace

std::optional<int> answer_command_line(int argc, char** argv) {
    // The usual start has nothing to read, and costs nothing.
    if (argc <= 1) return std::nullopt;
    // The usage line names the program as the application's first argument, so that is its own
    // name rather than the path it was started by. This application needs no display and is gone
    // before the window's application is made.
    std::vector<char*> arguments(argv, argv + argc);
    std::string program_name = kProgramName;
    arguments[0] = program_name.data();
    int count = argc;
    QCoreApplication reader(count, arguments.data());
    QCoreApplication::setApplicationName(kProgramName);
    QCoreApplication::setApplicationVersion(program_version());

    QCommandLineParser parser;
    // Qt's options are single words after one dash, "-platform xcb".
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(
        "Beroran, a turn-based board game in Japanese and English: the apprentice witch\n"
        "Lotta wins back her runaway Familiars on a row of fourteen squares. Its menu\n"
        "ヘルプ (Help) teaches the rules; the manual page is beroran(6).");
    const QCommandLineOption help({"h", "help"}, "Show this help and exit.");
    const QCommandLineOption version({"v", "version"}, "Show the version and the licence, and exit.");
    parser.addOption(help);
    parser.addOption(version);
    for (const QString& name : QString(kQtValueOptions).split(' '))
        hide(parser, QCommandLineOption(name, "", "value"));
    for (const QString& name : QString(kQtFlags).split(' ')) hide(parser, QCommandLineOption(name, ""));

    QString error;
    if (!parser.parse(QCoreApplication::arguments())) {
        error = parser.errorText();
    } else if (!parser.positionalArguments().isEmpty()) {
        error = "Unexpected argument '" + parser.positionalArguments().first() + "'.";
    }
    if (!error.isEmpty()) {
        std::fprintf(stderr, "%s: %s Try '%s --help'.\n", kProgramName, qPrintable(error), kProgramName);
        return kBadUsage;
    }
    if (parser.isSet(help)) {
        std::fputs(qPrintable(parser.helpText()), stdout);
        return 0;
    }
    if (parser.isSet(version)) {
        std::printf(
            "%s %s\n%s\n"
            "License %s <https://gnu.org/licenses/gpl.html>, the pictures and music included.\n"
            "This is free software: you are free to change and redistribute it.\n"
            "There is NO WARRANTY, to the extent permitted by law.\n",
            kProgramName, program_version(), kProgramCopyright, kProgramLicence);
        return 0;
    }
    return std::nullopt;
}

}  // namespace vr
