#include "LanguageMenu.h"

#include "SettingsStore.h"
#include "TextResources.h"

namespace DoDadu {

using namespace NeloUtility;

namespace {

const char* const kApplication = "Zandro";
const char* const kSection = "Dati";
const char* const kLanguageName = "Language";

// The choices in the menu's order: the setting each stores and the caption it shows.
const struct {
    const char* setting;  // empty: the value is removed, and the texts follow Windows
    LANGID language;
    unsigned caption;
} kChoices[] = {
    {"", 0, TextIds::kMenuLanguageWindows},
    {"en", kEnglishTexts, TextIds::kMenuLanguageEnglish},
    {"it", kItalianTexts, TextIds::kMenuLanguageItalian},
    {"es", kSpanishTexts, TextIds::kMenuLanguageSpanish},
};

}  // namespace

LANGID LanguageOfSetting(const std::string& setting) {
    for (const auto& choice : kChoices)
        if (!setting.empty() && setting == choice.setting) return choice.language;
    return 0;
}

LANGID StoredLanguage() { return LanguageOfSetting(ReadSetting(kApplication, kSection, kLanguageName)); }

LanguageMenu::LanguageMenu(MenuBar* menuBar, NotifyEvent picked, const TextSource& texts) : texts(texts) {
    optionsMenu = new Menu(menuBar, texts.Text(TextIds::kMenuOptions));
    languageItem = new SubMenu(optionsMenu, texts.Text(TextIds::kMenuLanguage));
    for (std::size_t i = 0; i < choices.size(); ++i) {
        choices[i] = new SubMenu(languageItem, texts.Text(kChoices[i].caption));
        choices[i]->command = picked;
        choices[i]->checkable = true;
        choices[i]->radioCheck = true;
    }
    ShowTexts();
}

LanguageMenu::~LanguageMenu() {
    for (SubMenu* choice : choices) DeleteElement(choice);
    DeleteElement(languageItem);
    DeleteElement(optionsMenu);
}

bool LanguageMenu::Choose(const SubMenu* item) {
    for (std::size_t i = 0; i < choices.size(); ++i) {
        if (item == nullptr || choices[i]->commandId != item->commandId) continue;
        // Nothing to keep is kept as nothing: the value is written empty and reads as Windows.
        WriteSetting(kApplication, kSection, kLanguageName, kChoices[i].setting);
        SetTextLanguage(kChoices[i].language);
        return true;
    }
    return false;
}

void LanguageMenu::ShowTexts() {
    optionsMenu->SetCaption(texts.Text(TextIds::kMenuOptions));
    languageItem->SetCaption(texts.Text(TextIds::kMenuLanguage));
    const LANGID stored = StoredLanguage();
    for (std::size_t i = 0; i < choices.size(); ++i) {
        choices[i]->SetCaption(texts.Text(kChoices[i].caption));
        choices[i]->checkMark = kChoices[i].language == stored;
        if (choices[i]->created) choices[i]->ApplyCheck();
    }
}

}  // namespace DoDadu
