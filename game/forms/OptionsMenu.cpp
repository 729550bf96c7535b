#include "OptionsMenu.h"

#include "RegistryScoreStore.h"

#include "TextResources.h"

namespace DoDadu {

using namespace NeloUtility;

namespace {

const char* const kLanguageName = "Language";
const char* const kSoundName = "Sound";
const char* const kContrastName = "Contrast";

// The language choices in the menu's order: the setting each stores and its caption.
const struct {
    const char* setting;  // empty: the value is removed, and the texts follow Windows
    LANGID language;
    unsigned caption;
} kLanguages[] = {
    {"", 0, TextIds::kMenuLanguageWindows},
    {"en", kEnglishTexts, TextIds::kMenuLanguageEnglish},
    {"it", kItalianTexts, TextIds::kMenuLanguageItalian},
    {"es", kSpanishTexts, TextIds::kMenuLanguageSpanish},
};

bool Is(const SubMenu* item, const SubMenu* known) {
    return item != nullptr && known != nullptr && item->commandId == known->commandId;
}

}  // namespace

LANGID LanguageOfSetting(const std::string& setting) {
    for (const auto& choice : kLanguages)
        if (!setting.empty() && setting == choice.setting) return choice.language;
    return 0;
}

LANGID StoredLanguage() { return LanguageOfSetting(ReadGameSetting(kLanguageName)); }

bool StoredSoundOn() { return ReadGameSetting(kSoundName) != "0"; }

ContrastChoice ContrastOfSetting(const std::string& setting) {
    if (setting == "1") return ContrastChoice::On;
    if (setting == "0") return ContrastChoice::Off;
    return ContrastChoice::FollowSystem;
}

OptionsMenu::OptionsMenu(MenuBar* menuBar, NotifyEvent picked, const TextSource& texts) : texts(texts) {
    SetContrastChoice(ContrastOfSetting(ReadGameSetting(kContrastName)));
    optionsMenu = new Menu(menuBar, std::string());
    hintItem = new SubMenu(optionsMenu, std::string());
    hintItem->shortcutKey = VK_F2;
    statisticsItem = new SubMenu(optionsMenu, std::string());
    soundItem = new SubMenu(optionsMenu, std::string());
    soundItem->checkable = true;
    contrastItem = new SubMenu(optionsMenu, std::string());
    contrastItem->checkable = true;
    languageItem = new SubMenu(optionsMenu, std::string());
    for (SubMenu* item : {hintItem, statisticsItem, soundItem, contrastItem}) item->command = picked;
    for (SubMenu*& choice : languages) {
        choice = new SubMenu(languageItem, std::string());
        choice->command = picked;
        choice->checkable = true;
        choice->radioCheck = true;
    }
    SetHintEnabled(false);
    ShowTexts();
}

OptionsMenu::~OptionsMenu() {
    for (SubMenu* choice : languages) DeleteElement(choice);
    for (SubMenu* item : {hintItem, statisticsItem, soundItem, contrastItem, languageItem})
        DeleteElement(item);
    DeleteElement(optionsMenu);
}

OptionsMenu::Choice OptionsMenu::Choose(const SubMenu* item) {
    if (Is(item, hintItem)) return Choice::Hint;
    if (Is(item, statisticsItem)) return Choice::Statistics;
    if (Is(item, soundItem)) {
        // The menu has turned the check mark over already.
        soundOn = soundItem->checkMark;
        WriteGameSetting(kSoundName, soundOn ? "1" : "0");
        return Choice::Sound;
    }
    if (Is(item, contrastItem)) {
        const bool on = contrastItem->checkMark;
        WriteGameSetting(kContrastName, on ? "1" : "0");
        SetContrastChoice(on ? ContrastChoice::On : ContrastChoice::Off);
        return Choice::Contrast;
    }
    for (std::size_t i = 0; i < languages.size(); ++i) {
        if (!Is(item, languages[i])) continue;
        // Nothing to keep is kept as nothing: the value is written empty and reads as Windows.
        WriteGameSetting(kLanguageName, kLanguages[i].setting);
        SetTextLanguage(kLanguages[i].language);
        return Choice::Language;
    }
    return Choice::None;
}

void OptionsMenu::ShowTexts() {
    optionsMenu->SetCaption(texts.Text(TextIds::kMenuOptions));
    hintItem->SetCaption(texts.Text(TextIds::kMenuHint));
    statisticsItem->SetCaption(texts.Text(TextIds::kMenuStatistics));
    soundItem->SetCaption(texts.Text(TextIds::kMenuSound));
    contrastItem->SetCaption(texts.Text(TextIds::kMenuContrast));
    languageItem->SetCaption(texts.Text(TextIds::kMenuLanguage));
    soundItem->checkMark = soundOn;
    contrastItem->checkMark = ContrastOn();
    for (SubMenu* item : {soundItem, contrastItem})
        if (item->created) item->ApplyCheck();
    const LANGID stored = StoredLanguage();
    for (std::size_t i = 0; i < languages.size(); ++i) {
        languages[i]->SetCaption(texts.Text(kLanguages[i].caption));
        languages[i]->checkMark = kLanguages[i].language == stored;
        if (languages[i]->created) languages[i]->ApplyCheck();
    }
}

void OptionsMenu::SetHintEnabled(bool enabled) {
    if (hintItem->enabled != enabled) hintItem->SetEnabled(enabled);
}

}  // namespace DoDadu
