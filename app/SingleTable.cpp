#include "SingleTable.h"

#include "Form.h"
#include "FormFullTable.h"
#include "FormMain.h"

namespace DoDadu {

const wchar_t* const kTableMutexName = L"Local\\Zandro++.Table";

namespace {

const DWORD kLookAgainMs = 50;

struct TableSearch {
    const std::wstring* title;
    DWORD self;
    HWND found;
};

BOOL CALLBACK ConsiderWindow(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<TableSearch*>(data);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == search->self || !IsWindowVisible(window)) return TRUE;
    wchar_t title[256] = {};
    GetWindowTextW(window, title, 256);
    if (*search->title != title && GetPropW(window, kTableWindowProperty) == nullptr) return TRUE;
    search->found = window;
    return FALSE;
}

}  // namespace

HWND FindOtherTable(const std::wstring& windowTitle) {
    TableSearch search{&windowTitle, GetCurrentProcessId(), nullptr};
    EnumWindows(ConsiderWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool PassInvitation(const std::wstring& windowTitle, const std::string& invitation) {
    HWND table = FindOtherTable(windowTitle);
    if (table == nullptr || invitation.empty() || invitation.size() > kLongestInvitation) return false;
    DWORD process = 0;
    GetWindowThreadProcessId(table, &process);
    AllowSetForegroundWindow(process);
    COPYDATASTRUCT data{kInvitationCopyTag, static_cast<DWORD>(invitation.size()),
                        const_cast<char*>(invitation.data())};
    DWORD_PTR taken = FALSE;
    return SendMessageTimeoutW(table, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG, 5000,
                               &taken) != 0 &&
           taken == TRUE;
}

SingleTable::SingleTable(const wchar_t* mutexName) : name(mutexName) {}

SingleTable::~SingleTable() {
    if (owned) ReleaseMutex(mutex);
    if (mutex != nullptr) CloseHandle(mutex);
}

SingleTable::Claim SingleTable::Take(const std::wstring& windowTitle, DWORD patienceMs) {
    mutex = CreateMutexW(nullptr, TRUE, name.c_str());
    if (mutex == nullptr) return Claim::OpenTable;  // the session cannot tell: a table is better than none
    if (GetLastError() != ERROR_ALREADY_EXISTS) {
        owned = true;
        return Claim::OpenTable;
    }
    // Another copy holds the table, or held it and has ended (the mutex is then free or
    // abandoned). A copy still building its window has no window to show yet: wait for
    // either.
    const DWORD start = GetTickCount();
    for (DWORD wait = 0;; wait = kLookAgainMs) {
        const DWORD waited = WaitForSingleObject(mutex, wait);
        if (waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED) {
            owned = true;
            return Claim::OpenTable;
        }
        if (HWND table = FindOtherTable(windowTitle)) {
            NeloUtility::BringToFront(table);
            return Claim::TableShown;
        }
        if (GetTickCount() - start > patienceMs) return Claim::NoAnswer;
    }
}

}  // namespace DoDadu
