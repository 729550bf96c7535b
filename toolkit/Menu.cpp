#include "Menu.h"

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
}  // namespace

// ---------------------------------------------------------------- MenuBar

MenuBar::MenuBar(GUIElement* form) : Child(form) { kind = "menubar"; }

void MenuBar::AddChild(GUIElement* child) { AppendChild(*this, children, child); }

void MenuBar::Create() {
    if (parent == nullptr || parent->window == nullptr) return;
    menuHandle = CreateMenu();
    CreateAll(children);
    SetMenu(parent->window, menuHandle);
    created = true;
    window = reinterpret_cast<HWND>(menuHandle);
}

// ---------------------------------------------------------------- Menu

Menu::Menu(MenuBar* menuBar, const std::string& caption) : Child(menuBar) {
    kind = "menu";
    text = Widen(caption);
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

// ---------------------------------------------------------------- SubMenu

SubMenu::SubMenu(GUIElement* parentElement, const std::string& caption) : Child(parentElement) {
    kind = "submenu";
    text = Widen(caption);
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
        AppendMenuW(container, appendFlags, static_cast<UINT_PTR>(commandId),
                    text.empty() ? nullptr : text.c_str());
        if (checkable)
            CheckMenuItem(container, static_cast<UINT>(commandId), checkMark ? MF_CHECKED : MF_UNCHECKED);
    } else {
        popupHandle = CreatePopupMenu();
        CreateAll(children);
        AppendMenuW(container, MF_POPUP, reinterpret_cast<UINT_PTR>(popupHandle), text.c_str());
    }
    created = true;
    window = reinterpret_cast<HWND>(popupHandle);
    if (!enabled) SetEnabled(false);
}

void SubMenu::ApplyCheck() {
    HMENU container = ParentMenuHandle();
    if (container == nullptr) return;
    CheckMenuItem(container, static_cast<UINT>(commandId),
                  (checkMark && checkable) ? MF_CHECKED : MF_UNCHECKED);
}

bool SubMenu::ReadCheckMark() {
    HMENU container = ParentMenuHandle();
    if (created && container != nullptr) {
        UINT state = GetMenuState(container, static_cast<UINT>(commandId), MF_BYCOMMAND);
        if (state != static_cast<UINT>(-1)) checkMark = (state & kMenuCheckMask) != 0;
    }
    return checkMark;
}

bool AskYesNo(const std::string& question, const std::string& caption) {
    return MessageBoxA(nullptr, question.c_str(), caption.c_str(),
                       MB_YESNO | MB_ICONQUESTION | MB_TASKMODAL) == IDYES;
}

}  // namespace NeloUtility
