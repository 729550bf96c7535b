// What the program's entry does, apart from WinMain so that tests can run it in-process:
// the window title, and the table made and played until its window is gone.
#pragma once

#include <windows.h>

#include <string>

namespace DoDadu {

// The window title: the product name, a space and the copyright line.
std::string TableTitle();

// The exit code of a start that could not open the table's window.
constexpr int kNoWindowExitCode = 1;

// Makes the main form and runs the message loop until its window is gone, then returns 0.
// When the form or its window cannot be made, the player is told in a message box and the
// result is kNoWindowExitCode: an invisible process waiting for nothing helps nobody.
// invitation: a zandro: link the program was started with, opened in the Play online box.
int RunTable(HINSTANCE instance, const std::string& title, const std::string& invitation = std::string());

// The zandro: link among the program's arguments (as Windows starts it for a clicked
// link: the link alone, quoted or not), or empty.
std::string InvitationArgument(const char* commandLine);

}  // namespace DoDadu
