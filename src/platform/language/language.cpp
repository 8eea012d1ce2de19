// Installing a language: the game's translation, embedded at build time, and Qt's own from
// where the system keeps it. Japanese is the source text, so it needs only Qt's.
#include "platform/language/language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <cassert>

namespace vr {

namespace {

struct Translators {
    QTranslator game;
    QTranslator qt;
    Language language = Language::Japanese;
};

Translators& translators() {
    static Translators installed;
    return installed;
}

}  // namespace

const char* language_code(Language language) {
    return language == Language::English ? "en" : "ja";
}

std::optional<Language> language_of_code(const std::string& code) {
    if (code == "ja") return Language::Japanese;
    if (code == "en") return Language::English;
    return std::nullopt;
}

Language desktop_language() {
    return language_for(QLocale::system().uiLanguages());
}

Language language_for(const QStringList& ui_languages) {
    for (const QString& name : ui_languages) {
        const QLocale::Language language = QLocale(name).language();
        if (language == QLocale::English) return Language::English;
        if (language == QLocale::Japanese) return Language::Japanese;
    }
    return Language::Japanese;
}

void install_language(Language language) {
    Translators& t = translators();
    QCoreApplication::removeTranslator(&t.game);
    QCoreApplication::removeTranslator(&t.qt);
    t.language = language;
    const char* code = language_code(language);
    // The game's own texts are Japanese, so only other languages need a translation; it is built
    // into the program, so a missing one is a broken build.
    if (language != Language::Japanese) {
        [[maybe_unused]] const bool built_in = t.game.load(QStringLiteral(":/i18n/beroran_%1.qm").arg(code));
        assert(built_in && "the translation is embedded at build time");
        QCoreApplication::installTranslator(&t.game);
    }
    // Qt's own, for message box buttons; a system without them keeps Qt's English.
    if (t.qt.load(QStringLiteral("qtbase_%1").arg(code), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&t.qt);
}

Language installed_language() {
    return translators().language;
}

}  // namespace vr
