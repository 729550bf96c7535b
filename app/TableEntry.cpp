#include "TableEntry.h"

#include "FormMain.h"
#include "SessionEnd.h"

#include <new>

namespace DoDadu {

namespace {

const char* const kCopyrightLine = "(C) 2026 the Zandro++ developers";

void TellNoWindow() {
    MessageBoxW(nullptr, L"Zandro++ could not open its window.", L"Zandro++",
                MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

}  // namespace

std::string TableTitle() { return std::string("Zandro++") + " " + kCopyrightLine; }

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
    LeaveTableAtSessionEnd(*form);
    NeloUtility::RunMessageLoop(form);
    NeloUtility::DeleteElement(form);
    return 0;
}

}  // namespace DoDadu
