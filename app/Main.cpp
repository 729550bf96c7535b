// The program's entry: the main form, the message loop, and nothing else.
#include "FormMain.h"

#include <new>
#include <string>

namespace {
const char* const kCopyrightLine = "(C) 2026 the Zandro++ developers";
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    const std::string title = std::string("Zandro++") + " " + kCopyrightLine;
    auto* form = new (std::nothrow) DoDadu::FormMain(instance, title);
    NeloUtility::RunMessageLoop(form);
    NeloUtility::DeleteElement(form);
    return 0;
}
