// One table per player. The first start of the game in a Windows session holds a named
// mutex in the session's namespace for as long as it runs; a later start finds the
// running table's window, brings it to the front and leaves without touching the score,
// so two copies never write their scores over each other.
#pragma once

#include <windows.h>

#include <string>

namespace DoDadu {

// The mutex a running table holds; the installer looks for the same name.
extern const wchar_t* const kTableMutexName;  // L"Local\\Zandro++.Table"

class SingleTable {
public:
    enum class Claim {
        OpenTable,   // no other table runs: this process opens one
        TableShown,  // another table runs and was brought to the front
        NoAnswer,    // another copy holds the table but showed no window in time
    };

    explicit SingleTable(const wchar_t* mutexName);
    ~SingleTable();  // lets the next start have the table
    SingleTable(const SingleTable&) = delete;
    SingleTable& operator=(const SingleTable&) = delete;

    // Decides whether this process opens the table. A copy that is still building its
    // window is waited for (up to patienceMs); one that ends meanwhile leaves the table to
    // this process. windowTitle is the title of the running table's main window.
    Claim Take(const std::wstring& windowTitle, DWORD patienceMs = 10000);

private:
    std::wstring name;
    HANDLE mutex = nullptr;
    bool owned = false;
};

// The first visible top-level window of another process with this title or marked as a
// table of the game (the full table), or null.
HWND FindOtherTable(const std::wstring& windowTitle);

// Hands the running table an invitation this start was given (a zandro: link clicked while
// the game runs), allowing it to come to the front with its Play online box. True when the
// table took it.
bool PassInvitation(const std::wstring& windowTitle, const std::string& invitation);

}  // namespace DoDadu
