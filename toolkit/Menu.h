// A form's menu bar, built from a tree of elements in one pass when the bar is created.
// Menu elements have no window: their `window` holds the native menu handle once made.
// The elements do not own each other; `children` only lists them. Captions are UTF-8.
#pragma once

#include "CommandElement.h"
#include "GUIElement.h"

#include <string>
#include <vector>

namespace NeloUtility {

class MenuBar : public Child {
public:
    std::vector<GUIElement*> children;
    HMENU menuHandle = nullptr;
    HACCEL shortcuts = nullptr;  // the items' shortcut keys; the form's message loop uses them

    explicit MenuBar(GUIElement* form);
    ~MenuBar();

    void AddChild(GUIElement* child);
    // Builds every menu and item below it and attaches the bar to the form's window; the
    // items' shortcut keys go to the form (Form::shortcuts).
    void Create() override;
};

class Menu : public Child {
public:
    std::vector<GUIElement*> children;
    HMENU menuHandle = nullptr;  // the drop-down menu

    Menu(MenuBar* menuBar, const std::string& caption);

    void AddChild(GUIElement* child);
    void Create() override;
    // A new caption, shown at once on a bar that is already made.
    void SetCaption(const std::string& caption);
};

class SubMenu : public Child, public CommandElement {
public:
    std::vector<GUIElement*> children;  // not empty: the item is a nested pop-up
    HMENU popupHandle = nullptr;
    unsigned appendFlags = MF_STRING;  // MF_SEPARATOR makes a separator line
    bool checkable = false;
    bool checkMark = false;
    bool radioCheck = false;  // a checked item shows a dot: one choice of several
    // A function key (VK_F1 to VK_F12) that picks the item without opening the menu, named
    // after the caption ("&Hint\tF2"); set before the bar is made. A disabled item ignores it.
    unsigned shortcutKey = 0;

    // Takes its command identifier at once; joins a Menu or SubMenu parent's children.
    SubMenu(GUIElement* parentElement, const std::string& caption);

    void AddChild(GUIElement* child);
    void SetEnabled(bool enable) override;
    void Create() override;

    HMENU ParentMenuHandle() const;
    // A new caption, shown at once in a menu that is already made.
    void SetCaption(const std::string& caption);
    void ApplyCheck();
    bool ReadCheckMark();
};

// The captions of a question's Yes and No buttons, in UTF-8 and with their access keys
// ("&Yes"). An empty one leaves the system's own caption on its button.
struct AnswerCaptions {
    std::string yes;
    std::string no;
};

// A task-modal Yes/No question without owner window, in UTF-8; true when answered Yes.
// It stays the system's message box, with its buttons named by `answers`: a program that
// speaks another language than Windows asks in its own.
bool AskYesNo(const std::string& question, const std::string& caption, const AnswerCaptions& answers = {});

}  // namespace NeloUtility
