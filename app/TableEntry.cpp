#include "TableEntry.h"

#include "FormMain.h"
#include "OnlineSeatStore.h"
#include "TextResources.h"
#include "ZandroVersion.h"

#include <new>

namespace DoDadu {

namespace {

void TellNoWindow() {
    MessageBoxW(nullptr, NeloUtility::WideText(TextIds::kErrorNoWindow).c_str(), L"Zandro++",
                MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

}  // namespace

std::string TableTitle() { return ZANDRO_TABLE_TITLE; }

std::string InvitationArgument(const char* commandLine) {
    std::string text = commandLine != nullptr ? commandLine : "";
    if (text.size() > 1024) return {};
    const std::size_t first = text.find_first_not_of(" \t\"");
    if (first == std::string::npos) return {};
    text = text.substr(first, text.find_last_not_of(" \t\"") - first + 1);
    return text.rfind("zandro://", 0) == 0 ? text : std::string();
}

int RunTable(HINSTANCE instance, const std::string& title, const std::string& invitation) {
    FormMain* form = nullptr;
    try {
        form = new (std::nothrow) FormMain(instance, title);
    } catch (const std::bad_alloc&) {
        form = nullptr;  // memory ran out while the table was being built
    }
    if (form == nullptr || form->window == nullptr) {
        NeloUtility::DeleteElement(form);
        TellNoWindow();
        return kNoWindowExitCode;
    }
    // An invitation opens the Play online box; a seat kept from the last run is taken back.
    if (!invitation.empty() || HoldsOnlineSeat()) form->OpenPlayOnline(invitation);
    NeloUtility::RunMessageLoop(form);
    NeloUtility::DeleteElement(form);
    return 0;
}

}  // namespace DoDadu
