#include "Menu.h"

#include "Form.h"

namespace NeloUtility {

namespace {
void AppendChild(GUIElement& container, std::vector<GUIElement*>& children, GUIElement* child) {
    children.push_back(child);
    if (container.created && child != nullptr) child->Create();
}

void CreateAll(const std::vector<GUIElement*>& children) {
    for (GUIElement* child : children)
        if (child != nullptr) child->Create();
}

constexpr UINT kMenuCheckMask = MF_CHECKED;

// Gives the item its caption in a made menu: by command or, for a pop-up, by its handle.
void ShowCaption(HMENU container, UINT item, bool byPosition, const std::wstring& caption) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING;
    info.dwTypeData = const_cast<wchar_t*>(caption.c_str());
    SetMenuItemInfoW(container, item, byPosition ? TRUE : FALSE, &info);
}

// A pop-up's caption in its container, where the pop-up is found by its handle.
void ShowPopupCaption(HMENU container, HMENU popup, const std::wstring& caption) {
    const int count = GetMenuItemCount(container);
    for (int at = 0; at < count; ++at)
        if (GetSubMenu(container, at) == popup) ShowCaption(container, static_cast<UINT>(at), true, caption);
}

bool HasShortcut(const SubMenu& item) { return item.shortcutKey >= VK_F1 && item.shortcutKey <= VK_F12; }

// What a menu shows for an item: its caption and, after a tab, its shortcut key.
std::wstring ShownCaption(const SubMenu& item) {
    if (!HasShortcut(item)) return item.text;
    return item.text + L"\tF" + std::to_wstring(item.shortcutKey - VK_F1 + 1);
}

void CollectShortcuts(const std::vector<GUIElement*>& children, std::vector<ACCEL>& shortcuts) {
    for (GUIElement* child : children) {
        if (auto* menu = dynamic_cast<Menu*>(child)) CollectShortcuts(menu->children, shortcuts);
        auto* item = dynamic_cast<SubMenu*>(child);
        if (item == nullptr) continue;
        CollectShortcuts(item->children, shortcuts);
        if (HasShortcut(*item))
            shortcuts.push_back(
                ACCEL{FVIRTKEY, static_cast<WORD>(item->shortcutKey), static_cast<WORD>(item->commandId)});
    }
}

// Redraws the bar of the form that a menu element hangs below.
void RedrawBar(const GUIElement* element) {
    for (const GUIElement* up = element; up != nullptr; up = up->parent)
        if (dynamic_cast<const MenuBar*>(up) != nullptr && up->parent != nullptr &&
            up->parent->window != nullptr)
            DrawMenuBar(up->parent->window);
}
}  // namespace

// ---------------------------------------------------------------- MenuBar

MenuBar::MenuBar(GUIElement* form) : Child(form) { kind = "menubar"; }

MenuBar::~MenuBar() {
    if (auto* form = dynamic_cast<Form*>(parent); form != nullptr && form->shortcuts == shortcuts)
        form->shortcuts = nullptr;
    if (shortcuts != nullptr) DestroyAcceleratorTable(shortcuts);
}

void MenuBar::AddChild(GUIElement* child) { AppendChild(*this, children, child); }

void MenuBar::Create() {
    if (parent == nullptr || parent->window == nullptr) return;
    menuHandle = CreateMenu();
    CreateAll(children);
    SetMenu(parent->window, menuHandle);
    std::vector<ACCEL> keys;
    CollectShortcuts(children, keys);
    if (!keys.empty()) shortcuts = CreateAcceleratorTableW(keys.data(), static_cast<int>(keys.size()));
    if (auto* form = dynamic_cast<Form*>(parent)) form->shortcuts = shortcuts;
    created = true;
    window = reinterpret_cast<HWND>(menuHandle);
}

// ---------------------------------------------------------------- Menu

Menu::Menu(MenuBar* menuBar, const std::string& caption) : Child(menuBar) {
    kind = "menu";
    text = Utf8ToWide(caption);
    if (menuBar != nullptr) menuBar->AddChild(this);
}

void Menu::AddChild(GUIElement* child) { AppendChild(*this, children, child); }

void Menu::Create() {
    if (created) return;
    auto* bar = dynamic_cast<MenuBar*>(parent);
    if (bar == nullptr || bar->menuHandle == nullptr) return;
    menuHandle = CreateMenu();
    CreateAll(children);
    AppendMenuW(bar->menuHandle, MF_POPUP, reinterpret_cast<UINT_PTR>(menuHandle), text.c_str());
    window = reinterpret_cast<HWND>(menuHandle);
    created = true;
}

void Menu::SetCaption(const std::string& caption) {
    text = Utf8ToWide(caption);
    auto* bar = dynamic_cast<MenuBar*>(parent);
    if (!created || bar == nullptr || bar->menuHandle == nullptr) return;
    ShowPopupCaption(bar->menuHandle, menuHandle, text);
    RedrawBar(this);
}

// ---------------------------------------------------------------- SubMenu

SubMenu::SubMenu(GUIElement* parentElement, const std::string& caption) : Child(parentElement) {
    kind = "submenu";
    text = Utf8ToWide(caption);
    commandId = TakeNextControlId();
    if (auto* menu = dynamic_cast<Menu*>(parentElement)) {
        menu->AddChild(this);
    } else if (auto* item = dynamic_cast<SubMenu*>(parentElement)) {
        item->AddChild(this);
    }
}

void SubMenu::AddChild(GUIElement* child) { AppendChild(*this, children, child); }

HMENU SubMenu::ParentMenuHandle() const {
    if (auto* menu = dynamic_cast<Menu*>(parent)) return menu->menuHandle;
    if (auto* item = dynamic_cast<SubMenu*>(parent)) return item->popupHandle;
    return nullptr;
}

void SubMenu::SetEnabled(bool enable) {
    enabled = enable;
    if (!created) return;
    EnableMenuItem(ParentMenuHandle(), static_cast<UINT>(commandId),
                   MF_BYCOMMAND | (enable ? MF_ENABLED : MF_GRAYED));
}

void SubMenu::Create() {
    if (created) return;
    HMENU container = ParentMenuHandle();
    if (container == nullptr) return;
    if (children.empty()) {
        const std::wstring shown = ShownCaption(*this);
        AppendMenuW(container, appendFlags, static_cast<UINT_PTR>(commandId),
                    shown.empty() ? nullptr : shown.c_str());
        if (checkable) ApplyCheck();
    } else {
        popupHandle = CreatePopupMenu();
        CreateAll(children);
        AppendMenuW(container, MF_POPUP, reinterpret_cast<UINT_PTR>(popupHandle), text.c_str());
    }
    created = true;
    window = reinterpret_cast<HWND>(popupHandle);
    if (!enabled) SetEnabled(false);
}

void SubMenu::SetCaption(const std::string& caption) {
    text = Utf8ToWide(caption);
    HMENU container = ParentMenuHandle();
    if (!created || container == nullptr) return;
    if (children.empty())
        ShowCaption(container, static_cast<UINT>(commandId), false, ShownCaption(*this));
    else
        ShowPopupCaption(container, popupHandle, text);
}

void SubMenu::ApplyCheck() {
    HMENU container = ParentMenuHandle();
    if (container == nullptr) return;
    const UINT id = static_cast<UINT>(commandId);
    if (radioCheck && checkMark && checkable) {
        // A radio dot: the item is the only one of its group (itself) to be checked.
        CheckMenuRadioItem(container, id, id, id, MF_BYCOMMAND);
        return;
    }
    CheckMenuItem(container, id, (checkMark && checkable) ? MF_CHECKED : MF_UNCHECKED);
}

bool SubMenu::ReadCheckMark() {
    HMENU container = ParentMenuHandle();
    if (created && container != nullptr) {
        UINT state = GetMenuState(container, static_cast<UINT>(commandId), MF_BYCOMMAND);
        if (state != static_cast<UINT>(-1)) checkMark = (state & kMenuCheckMask) != 0;
    }
    return checkMark;
}

namespace {

// The captions a message box of this thread takes while AskYesNo waits for it. A question
// asked while another one is open (from a timer, say) names its own box and puts the outer
// one's captions back when it is answered.
struct PendingAnswers {
    std::wstring yes;
    std::wstring no;
    HHOOK hook = nullptr;
    bool named = false;
};
thread_local PendingAnswers* pendingAnswers = nullptr;

void NameButton(HWND box, int id, const std::wstring& caption) {
    if (!caption.empty()) SetDlgItemTextW(box, id, caption.c_str());
}

// The box is activated once its buttons exist and before it is first painted.
LRESULT CALLBACK NameAnswerButtons(int code, WPARAM wParam, LPARAM lParam) {
    PendingAnswers* answers = pendingAnswers;
    if (code == HCBT_ACTIVATE && answers != nullptr && !answers->named) {
        HWND box = reinterpret_cast<HWND>(wParam);
        wchar_t className[8] = {};
        GetClassNameW(box, className, 8);
        if (std::wstring(className) == L"#32770" && GetDlgItem(box, IDYES) != nullptr &&
            GetDlgItem(box, IDNO) != nullptr) {
            NameButton(box, IDYES, answers->yes);
            NameButton(box, IDNO, answers->no);
            answers->named = true;
        }
    }
    return CallNextHookEx(answers != nullptr ? answers->hook : nullptr, code, wParam, lParam);
}

}  // namespace

bool AskYesNo(const std::string& question, const std::string& caption, const AnswerCaptions& answers) {
    PendingAnswers pending{Utf8ToWide(answers.yes), Utf8ToWide(answers.no)};
    PendingAnswers* outer = pendingAnswers;
    if (!pending.yes.empty() || !pending.no.empty()) {
        pending.hook = SetWindowsHookExW(WH_CBT, NameAnswerButtons, nullptr, GetCurrentThreadId());
        if (pending.hook != nullptr) pendingAnswers = &pending;
    }
    const int answer = MessageBoxW(nullptr, Utf8ToWide(question).c_str(), Utf8ToWide(caption).c_str(),
                                   MB_YESNO | MB_ICONQUESTION | MB_TASKMODAL);
    if (pending.hook != nullptr) {
        UnhookWindowsHookEx(pending.hook);
        pendingAnswers = outer;
    }
    return answer == IDYES;
}

}  // namespace NeloUtility
