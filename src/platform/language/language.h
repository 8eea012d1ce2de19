// The language the game is shown in: the game's own Japanese or English, with Qt's own texts
// (dialog buttons) following, where Debian ships Qt's translations.
#pragma once

#include <QStringList>
#include <optional>
#include <string>

namespace vr {

enum class Language { Japanese, English };

// Its name in the settings ("ja", "en") and back; nothing for a name the game does not know.
const char* language_code(Language language);
std::optional<Language> language_of_code(const std::string& code);

// The desktop's choice: English when its user-interface languages name English before any
// Japanese; the game's own Japanese otherwise, also for a desktop that names neither (LANG=C).
Language desktop_language();
Language language_for(const QStringList& ui_languages);

// Makes `language` the whole application's. Widgets learn of it through QEvent::LanguageChange,
// which Qt posts; Window::set_language also tells its own at once.
void install_language(Language language);
Language installed_language();

}  // namespace vr
