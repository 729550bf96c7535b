// Options on the menu bar: the hint of the player's turn (also on F2), the statistics box,
// the sound switch, the high contrast switch and the choice of language. The switches and
// the language are kept beside the score: "Sound" ("1" or "0"; none is on), "Contrast"
// ("1" or "0"; none follows Windows) and "Language" ("en", "it", "es"; none follows Windows).
#pragma once

#include "GameTexts.h"

#include "ContrastTheme.h"
#include "Menu.h"

#include <array>
#include <string>

namespace DoDadu {

// The text language a stored choice names: English, Italian or Spanish, or 0 (follow
// Windows) for a missing, unknown or damaged value.
LANGID LanguageOfSetting(const std::string& setting);

// The stored choice as LanguageOfSetting reads it.
LANGID StoredLanguage();

// Whether the stored switch lets the game play its sounds: only "0" turns them off.
bool StoredSoundOn();

// The contrast switch a stored value names: "1" on, "0" off, anything else follows Windows.
NeloUtility::ContrastChoice ContrastOfSetting(const std::string& setting);

class OptionsMenu {
public:
    enum class Choice { None, Hint, Statistics, Sound, Contrast, Language };

    // Options and its items, on a bar that is not made yet.
    OptionsMenu(NeloUtility::MenuBar* menuBar, NeloUtility::NotifyEvent picked, const TextSource& texts);
    ~OptionsMenu();
    OptionsMenu(const OptionsMenu&) = delete;
    OptionsMenu& operator=(const OptionsMenu&) = delete;

    // What a picked item asks for. The switches and a language are stored at once, a
    // language becomes that of the texts, and the contrast switch repaints every window.
    Choice Choose(const NeloUtility::SubMenu* item);
    // The captions in the texts' language now, and the marks on the stored choices; the
    // contrast item is checked while the system's colours are shown, by hand or by Windows.
    void ShowTexts();
    // The hint can be asked for in the player's turn only.
    void SetHintEnabled(bool enabled);
    bool SoundOn() const { return soundOn; }

private:
    const TextSource& texts;
    bool soundOn = StoredSoundOn();
    NeloUtility::Menu* optionsMenu = nullptr;
    NeloUtility::SubMenu* hintItem = nullptr;
    NeloUtility::SubMenu* statisticsItem = nullptr;
    NeloUtility::SubMenu* soundItem = nullptr;
    NeloUtility::SubMenu* contrastItem = nullptr;
    NeloUtility::SubMenu* languageItem = nullptr;
    std::array<NeloUtility::SubMenu*, 4> languages{};  // Windows, English, Italian, Spanish
};

}  // namespace DoDadu
