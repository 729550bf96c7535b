// Menus: the native menu built from the element tree, chosen items, and the yes/no box.
#include "CoreTestSupport.h"
#include "Menu.h"

#include <gtest/gtest.h>

using namespace coretest;

namespace {

const int relaunched = RunInsideVirtualDesktop();

std::wstring ItemText(HMENU menu, int position) {
    wchar_t buffer[64] = {};
    GetMenuStringW(menu, static_cast<UINT>(position), buffer, 64, MF_BYPOSITION);
    return buffer;
}

std::vector<std::string> chosen;
void NoteChoice(GUIElement* item) {
    auto* sub = static_cast<SubMenu*>(item);
    chosen.push_back(Narrow(sub->text) + (sub->checkMark ? " on" : " off"));
}

void Choose(Form& form, const SubMenu& item) {
    SendMessageW(form.window, WM_COMMAND, MAKEWPARAM(item.commandId, 0), 0);
}

struct MenuTree {
    explicit MenuTree(Form& form)
        : bar(new MenuBar(&form)),
          file(new Menu(bar.get(), "&File")),
          exit(new SubMenu(file.get(), "&Exit")),
          help(new Menu(bar.get(), "&?")),
          guide(new SubMenu(help.get(), "&Guide")),
          home(new SubMenu(help.get(), "&Home")) {}
    Owned<MenuBar> bar;
    Owned<Menu> file;
    Owned<SubMenu> exit;
    Owned<Menu> help;
    Owned<SubMenu> guide;
    Owned<SubMenu> home;
};

TEST(Menus, BuildTheWholeBarInOnePassInInsertionOrder) {
    Owned<Form> form = MakeForm("menus");
    form->Create();
    MenuTree tree(*form);
    EXPECT_EQ(tree.guide->commandId + 1, tree.home->commandId) << "items take identifiers when made";
    tree.bar->Create();

    HMENU bar = GetMenu(form->window);
    ASSERT_EQ(bar, tree.bar->menuHandle);
    ASSERT_EQ(GetMenuItemCount(bar), 2);
    EXPECT_EQ(ItemText(bar, 0), L"&File");
    EXPECT_EQ(ItemText(bar, 1), L"&?");
    HMENU helpMenu = GetSubMenu(bar, 1);
    ASSERT_EQ(GetMenuItemCount(helpMenu), 2);
    EXPECT_EQ(ItemText(helpMenu, 0), L"&Guide");
    EXPECT_EQ(ItemText(helpMenu, 1), L"&Home");
    EXPECT_EQ(GetMenuItemID(helpMenu, 1), static_cast<UINT>(tree.home->commandId));
    EXPECT_EQ(GetMenuItemID(GetSubMenu(bar, 0), 0), static_cast<UINT>(tree.exit->commandId));

    Owned<SubMenu> late(new SubMenu(tree.file.get(), "&Late"));  // the menu exists: appended now
    EXPECT_EQ(ItemText(GetSubMenu(bar, 0), 1), L"&Late");
}

TEST(Menus, ItemsToggleGreySeparateAndNest) {
    Owned<Form> form = MakeForm("items");
    form->Create();
    Owned<MenuBar> bar(new MenuBar(form.get()));
    Owned<Menu> options(new Menu(bar.get(), "&Options"));
    Owned<SubMenu> sound(new SubMenu(options.get(), "Sound"));
    sound->checkable = true;
    sound->checkMark = true;
    sound->command = NoteChoice;
    sound->shortcutKey = VK_F2;
    Owned<SubMenu> greyed(new SubMenu(options.get(), "Greyed"));
    greyed->command = NoteChoice;
    greyed->shortcutKey = VK_F3;
    greyed->SetEnabled(false);
    Owned<SubMenu> line(new SubMenu(options.get(), ""));
    line->appendFlags = MF_SEPARATOR;
    Owned<SubMenu> more(new SubMenu(options.get(), "More"));
    Owned<SubMenu> inner(new SubMenu(more.get(), "Inner"));
    inner->command = NoteChoice;
    bar->Create();

    HMENU menu = options->menuHandle;
    EXPECT_TRUE(GetMenuState(menu, static_cast<UINT>(sound->commandId), MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_TRUE(GetMenuState(menu, static_cast<UINT>(greyed->commandId), MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_TRUE(GetMenuState(menu, 2, MF_BYPOSITION) & MF_SEPARATOR);
    EXPECT_EQ(GetSubMenu(menu, 3), more->popupHandle);
    EXPECT_NE(more->popupHandle, nullptr);
    EXPECT_EQ(GetMenuItemID(menu, 3), static_cast<UINT>(-1)) << "a pop-up has no command of its own";
    EXPECT_EQ(ItemText(menu, 0), L"Sound\tF2");

    chosen.clear();
    Choose(*form, *sound);
    Choose(*form, *sound);
    Choose(*form, *inner);
    // The shortcut keys, as the message loop translates them: F2 picks Sound, F3 nothing
    // while its item is greyed.
    ASSERT_EQ(form->shortcuts, bar->shortcuts);
    for (WPARAM key : {VK_F2, VK_F3}) {
        MSG press{form->window, WM_KEYDOWN, key, 1, 0, {}};
        TranslateAcceleratorW(form->window, form->shortcuts, &press);
    }
    EXPECT_EQ(chosen, (std::vector<std::string>{"Sound off", "Sound on", "Inner off", "Sound off"}));
    Choose(*form, *sound);
    EXPECT_TRUE(GetMenuState(menu, static_cast<UINT>(sound->commandId), MF_BYCOMMAND) & MF_CHECKED);
}

// Answers the next message box from inside its activation.
int answer = IDNO;
std::wstring boxText;
HHOOK answerHook = nullptr;

LRESULT CALLBACK AnswerBox(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        HWND box = reinterpret_cast<HWND>(wParam);
        wchar_t className[16] = {}, caption[64] = {};
        GetClassNameW(box, className, 16);
        if (std::wstring(className) == L"#32770") {
            GetWindowTextW(box, caption, 64);
            boxText = caption;
            PostMessageW(box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(box, answer)));
        }
    }
    return CallNextHookEx(answerHook, code, wParam, lParam);
}

TEST(AskYesNo, ReportsTheAnswerGiven) {
    answerHook = SetWindowsHookExW(WH_CBT, AnswerBox, nullptr, GetCurrentThreadId());
    ASSERT_NE(answerHook, nullptr);
    answer = IDYES;
    EXPECT_TRUE(AskYesNo("Do you really want to go exit?", "Exit"));
    EXPECT_EQ(boxText, L"Exit");
    answer = IDNO;
    EXPECT_FALSE(AskYesNo("Do you really want to go exit?", "Exit"));
    UnhookWindowsHookEx(answerHook);
}

}  // namespace
