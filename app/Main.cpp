// The program's entry: one table per player, then the main form and its message loop.
#include "SingleTable.h"
#include "TableEntry.h"

#include "GUIElement.h"

#include <string>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    const std::string title = DoDadu::TableTitle();
    const std::string invitation = DoDadu::InvitationArgument(commandLine);
    DoDadu::SingleTable table(DoDadu::kTableMutexName);
    switch (table.Take(NeloUtility::Widen(title))) {
        case DoDadu::SingleTable::Claim::OpenTable: return DoDadu::RunTable(instance, title, invitation);
        case DoDadu::SingleTable::Claim::TableShown:
            // The player goes on at the running table, with the invitation when there is one;
            // nothing is written here.
            if (!invitation.empty()) DoDadu::PassInvitation(NeloUtility::Widen(title), invitation);
            return 0;
        case DoDadu::SingleTable::Claim::NoAnswer: break;
    }
    return DoDadu::kNoWindowExitCode;
}
