// The language of the menu 言語 / Language: every text of the window in Japanese or English,
// switched at once on any screen; the choice is kept for the next start, and the first start
// follows the desktop.
#include "app/game_form.h"
#include "platform/files/settings.h"

namespace vr {

namespace {

constexpr const char* kLanguageSetting = "game/language";
// The menu's items, in order.
constexpr Language kMenuLanguages[] = {Language::Japanese, Language::English};

}  // namespace

void GameForm::load_language_setting() {
    const std::optional<Language> stored = language_of_code(read_text_setting(kLanguageSetting, ""));
    set_language(stored.value_or(desktop_language()));
}

void GameForm::menu_language_Click(int index) {
    const Language language = kMenuLanguages[index];
    set_language(language);
    write_text_setting(kLanguageSetting, language_code(language));
    show_language_marks();
}

void GameForm::show_language_marks() {
    for (int i = 0; i <= decltype(menu_language)::kHi; ++i)
        menu_language(i)->set_checked(kMenuLanguages[i] == language());
}

}  // namespace vr
