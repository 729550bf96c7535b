#include "TableEntry.h"

#include "FormMain.h"
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

int RunTable(HINSTANCE instance, const std::string& title) {
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
    NeloUtility::RunMessageLoop(form);
    NeloUtility::DeleteElement(form);
    return 0;
}

}  // namespace DoDadu
