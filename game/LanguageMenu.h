// The player's choice of language: Options > Language on the menu bar, kept beside the
// score as the setting "Language" ("en", "it", "es"; none follows Windows).
#pragma once

#include "GameTexts.h"

#include "Menu.h"

#include <array>
#include <string>

namespace DoDadu {

// The text language a stored choice names: English, Italian or Spanish, or 0 (follow
// Windows) for a missing, unknown or damaged value.
LANGID LanguageOfSetting(const std::string& setting);

// The stored choice as LanguageOfSetting reads it.
LANGID StoredLanguage();

class LanguageMenu {
public:
    // Options > Language and its four choices, on a bar that is not made yet.
    LanguageMenu(NeloUtility::MenuBar* menuBar, NeloUtility::NotifyEvent picked, const TextSource& texts);
    ~LanguageMenu();
    LanguageMenu(const LanguageMenu&) = delete;
    LanguageMenu& operator=(const LanguageMenu&) = delete;

    // A choice of this menu: stored, and made the language of the texts. False for an
    // item that is not one of its choices.
    bool Choose(const NeloUtility::SubMenu* item);
    // The captions in the texts' language now, and the mark on the stored choice.
    void ShowTexts();

private:
    const TextSource& texts;
    NeloUtility::Menu* optionsMenu = nullptr;
    NeloUtility::SubMenu* languageItem = nullptr;
    std::array<NeloUtility::SubMenu*, 4> choices{};  // Windows, English, Italian, Spanish
};

}  // namespace DoDadu
