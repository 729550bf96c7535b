// The program's entry: one table per player, then the main form and its message loop.
#include "SingleTable.h"
#include "TableEntry.h"

#include "GUIElement.h"

#include <string>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    const std::string title = DoDadu::TableTitle();
    DoDadu::SingleTable table(DoDadu::kTableMutexName);
    switch (table.Take(NeloUtility::Widen(title))) {
        case DoDadu::SingleTable::Claim::OpenTable:
            return DoDadu::RunTable(instance, title, DoDadu::InvitationArgument(commandLine));
        case DoDadu::SingleTable::Claim::TableShown:
            return 0;  // the player goes on at the running table; nothing is written here
        case DoDadu::SingleTable::Claim::NoAnswer: break;
    }
    return DoDadu::kNoWindowExitCode;
}
