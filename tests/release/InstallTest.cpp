// The release as a player gets it, under Wine in a prefix of its own: the programs'
// version and manifest read back from their files, the game started from the unpacked
// zip, the installer and the uninstaller run silently, updates both ways, the winget
// manifests read against the installed entry, and the signed files as Windows sees them.
#include "CoreTestSupport.h"
#include "SettingsStore.h"
#include "ZandroVersion.h"

#include <shlobj.h>
#include <shobjidl.h>
#include <softpub.h>
#include <wintrust.h>
#include <winver.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cwchar>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#if !defined(ZANDRO_SETUP) || !defined(ZANDRO_UNPACKED) || !defined(ZANDRO_OLDER_SETUP) || \
    !defined(ZANDRO_NEWER_SETUP) || !defined(ZANDRO_SIGNED)
#error "the installers, the unpacked zip and the signed files must be named"
#endif

namespace {

const int relaunched = coretest::RunInsideVirtualDesktop();

const wchar_t kUninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Zandro++";
const std::wstring kVersion = L"" ZANDRO_VERSION;

// The build hands over Unix paths; Wine sees the Unix root as drive Z:.
std::wstring DosPath(const char* unixPath) {
    std::string path = unixPath;
    if (!path.empty() && path[0] == '/') path = "Z:" + path;
    std::replace(path.begin(), path.end(), '/', '\\');
    return std::wstring(path.begin(), path.end());
}
const std::wstring kSetup = DosPath(ZANDRO_SETUP);
const std::wstring kUnpacked = DosPath(ZANDRO_UNPACKED);
const std::wstring kSigned = DosPath(ZANDRO_SIGNED);

std::wstring Folder(int csidl) {
    wchar_t path[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path);
    return path;
}
std::wstring InstallDir() { return Folder(CSIDL_LOCAL_APPDATA) + L"\\Programs\\Zandro++"; }
std::wstring Shortcut() { return Folder(CSIDL_PROGRAMS) + L"\\Zandro++.lnk"; }
std::wstring Uninstaller() { return InstallDir() + L"\\uninstall.exe"; }

// True when nothing else has the file open: a program that is still mapped is not.
bool Writable(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return true;
}
bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string Bytes(const std::wstring& path) {
    std::ifstream in(path.c_str(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
void Overwrite(const std::wstring& path, const std::string& bytes) {
    std::ofstream(path.c_str(), std::ios::binary | std::ios::trunc) << bytes;
}

bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    for (DWORD waited = 0; waited < timeoutMs; waited += 100) {
        if (done()) return true;
        Sleep(100);
    }
    return done();
}

// Starts a command line: its process, or null.
HANDLE Launch(std::wstring commandLine) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return nullptr;
    CloseHandle(process.hThread);
    return process.hProcess;
}
// The exit code of a process that ends within the time, else -1.
long ExitCode(HANDLE process, DWORD timeoutMs) {
    DWORD code = static_cast<DWORD>(-1);
    if (process != nullptr && WaitForSingleObject(process, timeoutMs) == WAIT_OBJECT_0)
        GetExitCodeProcess(process, &code);
    return static_cast<long>(code);
}
long RunToEnd(const std::wstring& commandLine) {
    HANDLE process = Launch(commandLine);
    const long code = ExitCode(process, 120000);
    if (process != nullptr) CloseHandle(process);
    return code;
}
long RunSetup(const std::wstring& setup = kSetup) { return RunToEnd(L"\"" + setup + L"\" /S"); }

bool KeyExists() {
    HKEY key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kUninstallKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}
// A value of the uninstall entry as text; numbers in decimal.
std::wstring UserValue(const wchar_t* key, const wchar_t* name) {
    wchar_t value[1024] = {};
    DWORD size = sizeof value - sizeof(wchar_t), type = 0;
    if (RegGetValueW(HKEY_CURRENT_USER, key, name, RRF_RT_REG_SZ | RRF_RT_REG_DWORD, &type, value, &size) !=
        ERROR_SUCCESS)
        return L"(missing)";
    return type == REG_DWORD ? std::to_wstring(*reinterpret_cast<DWORD*>(value)) : value;
}

std::wstring UninstallValue(const wchar_t* name) { return UserValue(kUninstallKey, name); }

// How the zandro: link of invitations starts the game.
std::wstring InvitationCommand() {
    return UserValue(L"Software\\Classes\\zandro\\shell\\open\\command", nullptr);
}

std::wstring ShortcutTarget(const std::wstring& link) {
    wchar_t path[MAX_PATH] = {};
    IShellLinkW* shellLink = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&shellLink))))
        return path;
    IPersistFile* file = nullptr;
    if (SUCCEEDED(shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        if (SUCCEEDED(file->Load(link.c_str(), STGM_READ))) shellLink->GetPath(path, MAX_PATH, nullptr, 0);
        file->Release();
    }
    shellLink->Release();
    return path;
}

using coretest::WindowText;

// One run of the game, seen from outside as a player sees it.
class Game {
public:
    explicit Game(const std::wstring& exe) : process(Launch(L"\"" + exe + L"\"")) {}
    ~Game() {
        if (process == nullptr) return;
        TerminateProcess(process, 9);  // fails harmlessly when the game has ended
        WaitForSingleObject(process, 10000);
        CloseHandle(process);
    }

    // The table: the process's top-level window with the START button (CANCEL in a round).
    HWND Table() const {
        return TopLevel([](HWND w) {
            return FindWindowExW(w, nullptr, L"Button", L"START") != nullptr ||
                   FindWindowExW(w, nullptr, L"Button", L"CANCEL") != nullptr;
        });
    }
    HWND TopLevelTitled(const std::wstring& title) const {
        return TopLevel([&](HWND w) { return WindowText(w) == title; });
    }
    HWND WaitFor(const std::function<HWND()>& find) const {
        HWND found = nullptr;
        WaitUntil([&] { return (found = find()) != nullptr; }, 15000);
        return found;
    }

    // A click on the table's button with this caption, once it shows.
    void Press(const wchar_t* caption) const {
        HWND button = WaitFor([&] { return FindWindowExW(Table(), nullptr, L"Button", caption); });
        PostMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
        PostMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    }

    // The title line of the about box that INFO opens; the box is closed again.
    std::wstring AboutTitle() const {
        Press(L"INFO");
        HWND box = WaitFor([&] { return TopLevelTitled(L"Info..."); });
        if (box == nullptr) return L"(no about box)";
        // The title line is the label at the top of the text column, right of the logo.
        std::wstring title = WindowText(ChildWindowFromPointEx(box, POINT{220, 20}, CWP_SKIPINVISIBLE));
        PostMessageW(box, WM_CLOSE, 0, 0);
        WaitUntil([&] { return !IsWindow(box); }, 10000);
        return title;
    }

    // Closes the table the player's way, answering Yes to the exit question; the exit code.
    long Close() {
        PostMessageW(Table(), WM_CLOSE, 0, 0);
        HWND question = WaitFor([&] { return TopLevelTitled(L"Exit"); });
        if (question == nullptr) return -1;
        PostMessageW(question, WM_COMMAND, IDYES, 0);
        return ExitCode(process, 15000);
    }

    HANDLE process;

private:
    HWND TopLevel(const std::function<bool(HWND)>& test) const {
        struct Search {
            DWORD id;
            const std::function<bool(HWND)>& test;
            HWND found;
        } search{GetProcessId(process), test, nullptr};
        EnumWindows(
            [](HWND window, LPARAM data) -> BOOL {
                auto* s = reinterpret_cast<Search*>(data);
                DWORD owner = 0;
                GetWindowThreadProcessId(window, &owner);
                if (owner != s->id || !IsWindowVisible(window) || !s->test(window)) return TRUE;
                s->found = window;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.found;
    }
};

// Starts the game, checks that its table comes up and closes it; the exit code.
long PlayBriefly(const std::wstring& exe) {
    Game game(exe);
    EXPECT_NE(game.WaitFor([&] { return game.Table(); }), nullptr) << "no table";
    return game.Close();
}

// ---- the programs' own description ----------------------------------------------------

std::wstring VersionString(const std::vector<char>& info, const std::wstring& name) {
    wchar_t* value = nullptr;
    UINT length = 0;
    const std::wstring path = L"\\StringFileInfo\\040904b0\\" + name;
    if (!VerQueryValueW(info.data(), path.c_str(), reinterpret_cast<void**>(&value), &length) ||
        value == nullptr)
        return L"(missing)";
    return value;
}

std::string Manifest(const std::wstring& exe) {
    HMODULE module =
        LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (module == nullptr) return {};
    std::string text;
    if (HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(1), RT_MANIFEST))
        if (HGLOBAL loaded = LoadResource(module, found))
            text.assign(static_cast<const char*>(LockResource(loaded)), SizeofResource(module, found));
    FreeLibrary(module);
    return text;
}

TEST(ReleasePrograms, CarryTheVersionAndManifestThatWindowsShows) {
    struct Case {
        const wchar_t* file;
        const wchar_t* description;
    };
    const Case cases[] = {{L"Zandro.exe", L"Zandro++, 7.5 against the dealer"},
                          {L"zandro-odds.exe", L"Zandro++ odds: best play of a round"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.file, c.file + wcslen(c.file)));
        const std::wstring exe = kUnpacked + L"\\" + c.file;
        DWORD ignored = 0;
        std::vector<char> info(GetFileVersionInfoSizeW(exe.c_str(), &ignored));
        ASSERT_FALSE(info.empty()) << "no version resource";
        ASSERT_TRUE(GetFileVersionInfoW(exe.c_str(), 0, static_cast<DWORD>(info.size()), info.data()));

        VS_FIXEDFILEINFO* fixed = nullptr;
        UINT length = 0;
        ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
        const DWORD expected = MAKELONG(ZANDRO_VERSION_MINOR, ZANDRO_VERSION_MAJOR);
        EXPECT_EQ(fixed->dwFileVersionMS, expected);
        EXPECT_EQ(fixed->dwProductVersionMS, expected);

        const std::wstring name(c.file);
        const std::pair<const wchar_t*, std::wstring> strings[] = {
            {L"ProductName", L"Zandro++"},
            {L"ProductVersion", kVersion},
            {L"FileVersion", kVersion},
            {L"FileDescription", c.description},
            {L"LegalCopyright", L"Copyright (C) 2026 the Zandro++ developers"},
            {L"OriginalFilename", name},
            {L"InternalName", name.substr(0, name.size() - 4)},
        };
        for (const auto& [key, value] : strings) EXPECT_EQ(VersionString(info, key), value) << key;

        // Runs as the player; known on Windows 7, 8, 8.1 and 10/11; the classic controls
        // kept (no common-controls entry); drawn at each screen's own scale.
        const std::string manifest = Manifest(exe);
        ASSERT_FALSE(manifest.empty()) << "no manifest";
        for (const char* present :
             {"level=\"asInvoker\"", "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",
              "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}", "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",
              "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}", ">true/pm</dpiAware>",
              ">PerMonitorV2, PerMonitor</dpiAwareness>"})
            EXPECT_NE(manifest.find(present), std::string::npos) << present;
        EXPECT_EQ(manifest.find("Common-Controls"), std::string::npos);
    }
}

TEST(ReleaseZip, GameRunsUnpackedAndItsAboutBoxShowsTheVersion) {
    Game game(kUnpacked + L"\\Zandro.exe");
    ASSERT_NE(game.WaitFor([&] { return game.Table(); }), nullptr);
    EXPECT_EQ(game.AboutTitle(), L"Zandro++ " + kVersion);
    EXPECT_EQ(game.Close(), 0);
}

// ---- installed and removed ------------------------------------------------------------

// Every test starts from a fresh silent install and leaves nothing installed.
class Installed : public ::testing::Test {
protected:
    void SetUp() override {
        CoInitialize(nullptr);
        ASSERT_EQ(RunSetup(), 0);
    }
    void TearDown() override {
        if (Exists(Uninstaller())) Uninstall();
        CoUninitialize();
    }
    // The silent uninstaller hands over to a copy of itself and returns at once: wait
    // for that copy to finish its work.
    static bool Uninstall() {
        return RunToEnd(L"\"" + Uninstaller() + L"\" /S") == 0 &&
               WaitUntil([] { return !Exists(InstallDir()) && !KeyExists(); }, 30000);
    }
};

const wchar_t* const kInstalledFiles[] = {L"Zandro.exe", L"zandro-odds.exe", L"README.txt", L"LICENSE.txt",
                                          L"THIRD-PARTY-NOTICES.txt"};

TEST_F(Installed, FilesShortcutAndUninstallEntryAreInPlace) {
    long kib = 0;
    for (const wchar_t* file : kInstalledFiles) {
        const std::string installed = Bytes(InstallDir() + L"\\" + file);
        EXPECT_TRUE(installed == Bytes(kUnpacked + L"\\" + file)) << "installed file differs from the zip's";
        kib += static_cast<long>(installed.size() / 1024);
    }
    EXPECT_TRUE(Exists(Uninstaller()));
    const std::wstring game = InstallDir() + L"\\Zandro.exe";
    EXPECT_EQ(ShortcutTarget(Shortcut()), game);

    const std::pair<const wchar_t*, std::wstring> values[] = {
        {L"DisplayName", L"Zandro++"},
        {L"DisplayVersion", kVersion},
        {L"Publisher", L"the Zandro++ developers"},
        {L"DisplayIcon", game + L",0"},
        {L"InstallLocation", InstallDir()},
        {L"UninstallString", L"\"" + Uninstaller() + L"\""},
        {L"QuietUninstallString", L"\"" + Uninstaller() + L"\" /S"},
        {L"NoModify", L"1"},
        {L"NoRepair", L"1"},
    };
    for (const auto& [name, value] : values) EXPECT_EQ(UninstallValue(name), value) << name;
    const long estimated = std::wcstol(UninstallValue(L"EstimatedSize").c_str(), nullptr, 10);
    EXPECT_TRUE(estimated >= kib && estimated <= kib + 8)
        << estimated << " KiB for " << kib << " KiB of files";

    EXPECT_EQ(InvitationCommand(), L"\"" + game + L"\" \"%1\"") << "a click on an invitation starts the game";
    EXPECT_EQ(UserValue(L"Software\\Classes\\zandro", L"URL Protocol"), L"");

    EXPECT_EQ(PlayBriefly(ShortcutTarget(Shortcut())), 0) << "started as the Start menu does";
}

TEST_F(Installed, UninstallRemovesWhatItInstalledAndKeepsTheScore) {
    NeloUtility::WriteSetting("Zandro", "Dati", "Score", "61500");
    ASSERT_TRUE(Uninstall()) << "the folder or the uninstall entry is still there";
    for (const wchar_t* file : kInstalledFiles) EXPECT_FALSE(Exists(InstallDir() + L"\\" + file));
    EXPECT_FALSE(Exists(Shortcut()));
    EXPECT_EQ(InvitationCommand(), L"(missing)") << "the zandro: link goes with the game";
    EXPECT_EQ(NeloUtility::ReadSetting("Zandro", "Dati", "Score"), "61500") << "the score is the player's";
}

TEST_F(Installed, InstallingAgainReplacesTheProgramInPlace) {
    const std::wstring game = InstallDir() + L"\\Zandro.exe";
    Overwrite(game, "damaged");
    ASSERT_EQ(RunSetup(), 0);
    EXPECT_TRUE(Bytes(game) == Bytes(kUnpacked + L"\\Zandro.exe"));
    EXPECT_EQ(UninstallValue(L"InstallLocation"), InstallDir());
    EXPECT_EQ(PlayBriefly(game), 0);
}

// Neither the installer nor the uninstaller touches a game that is running, whether it
// is found by the mutex the table holds or by its window; both end with code 2.
TEST_F(Installed, RunningGameIsNeitherReplacedNorRemoved) {
    const std::wstring readme = InstallDir() + L"\\README.txt";
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(i == 0 ? "the table's mutex held" : "the table's window open");
        Overwrite(readme, "the player's notes");
        HANDLE mutex = nullptr;
        std::unique_ptr<Game> game;
        if (i == 0) {
            mutex = CreateMutexW(nullptr, TRUE, L"Local\\Zandro++.Table");
            ASSERT_NE(mutex, nullptr);
        } else {
            game.reset(new Game(InstallDir() + L"\\Zandro.exe"));
            ASSERT_NE(game->WaitFor([&] { return game->Table(); }), nullptr);
        }

        EXPECT_EQ(RunSetup(), 2);
        // Run in place (_?=), the uninstaller reports its own exit code.
        EXPECT_EQ(RunToEnd(L"\"" + Uninstaller() + L"\" /S _?=" + InstallDir()), 2);
        EXPECT_EQ(Bytes(readme), "the player's notes") << "nothing replaced";
        EXPECT_TRUE(Exists(Uninstaller()) && KeyExists()) << "nothing removed";

        if (game) {
            EXPECT_EQ(game->Close(), 0);
        }
        if (mutex) CloseHandle(mutex);
        // The system may hold a program's file a moment after its process has ended.
        const std::wstring program = InstallDir() + L"\\Zandro.exe";
        EXPECT_TRUE(WaitUntil([&] { return Writable(program); }, 10000));
        ASSERT_EQ(RunSetup(), 0) << "the game gone, the installer goes on";
        EXPECT_NE(Bytes(readme), "the player's notes");
    }
}

// A program file that cannot be written (held by a process of another user, say) stops
// the installer at that file: it never goes on to leave a half-replaced game.
TEST_F(Installed, FileThatCannotBeWrittenStopsTheInstaller) {
    const std::wstring readme = InstallDir() + L"\\README.txt";
    Overwrite(readme, "the player's notes");
    HANDLE held = CreateFileW((InstallDir() + L"\\Zandro.exe").c_str(), GENERIC_READ, 0, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_EQ(RunSetup(), 2);
    EXPECT_EQ(Bytes(readme), "the player's notes") << "nothing after the held file";
    CloseHandle(held);
}

// ---- updates -------------------------------------------------------------------------

const std::wstring kOlderSetup = DosPath(ZANDRO_OLDER_SETUP);  // 1.9
const std::wstring kNewerSetup = DosPath(ZANDRO_NEWER_SETUP);  // 1.10

// The entries of the list of installed programs.
DWORD InstalledPrograms() {
    DWORD count = 0;
    HKEY list;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall", 0,
                      KEY_READ, &list) != ERROR_SUCCESS)
        return 0;
    RegQueryInfoKeyW(list, nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr, nullptr, nullptr,
                     nullptr, nullptr);
    RegCloseKey(list);
    return count;
}

// Older, a round played, newer over it: still one entry, the new files where the old ones
// were, the score kept. Then older over newer is refused, with code 3 and a message the
// player understands when not silent, and changes nothing.
TEST_F(Installed, NewerReplacesOlderKeepingTheScoreAndOlderIsRefused) {
    NeloUtility::WriteSetting("Zandro", "Dati", "Score", "50000");
    const DWORD programs = InstalledPrograms();
    ASSERT_EQ(RunSetup(kOlderSetup), 0);
    {
        Game game(InstallDir() + L"\\Zandro.exe");
        ASSERT_NE(game.WaitFor([&] { return game.Table(); }), nullptr);
        game.Press(L"START");
        game.Press(L"CANCEL");  // half the stake of 500 given up
        EXPECT_TRUE(
            WaitUntil([] { return NeloUtility::ReadSetting("Zandro", "Dati", "Score") == "49750"; }, 9000));
        EXPECT_EQ(game.Close(), 0);
    }
    EXPECT_TRUE(WaitUntil([] { return Writable(InstallDir() + L"\\Zandro.exe"); }, 10000));

    const std::wstring readme = InstallDir() + L"\\README.txt";
    ASSERT_EQ(RunSetup(kNewerSetup), 0);
    EXPECT_EQ(InstalledPrograms(), programs);
    EXPECT_EQ(UninstallValue(L"DisplayVersion"), L"1.10");
    EXPECT_EQ(UninstallValue(L"InstallLocation"), InstallDir());
    EXPECT_NE(Bytes(readme).find("Zandro++ 1.10\r\n"), std::string::npos) << "the new README.txt";
    EXPECT_EQ(ShortcutTarget(Shortcut()), InstallDir() + L"\\Zandro.exe");
    EXPECT_EQ(NeloUtility::ReadSetting("Zandro", "Dati", "Score"), "49750");

    const std::string newerReadme = Bytes(readme);
    EXPECT_EQ(RunSetup(kOlderSetup), 3);
    HANDLE shown = Launch(L"\"" + kOlderSetup + L"\"");
    HWND box = nullptr;
    EXPECT_TRUE(WaitUntil(
        [&] {
            box = FindWindowW(nullptr, L"Zandro++ 1.9 Setup");
            return FindWindowExW(box, nullptr, L"Static",
                                 L"A newer version of Zandro++ is already installed.");
        },
        15000))
        << "no message for the player";
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(ExitCode(shown, 15000), 3);
    TerminateProcess(shown, 9);  // fails harmlessly when the installer has ended
    CloseHandle(shown);
    EXPECT_EQ(UninstallValue(L"DisplayVersion"), L"1.10");
    EXPECT_TRUE(Bytes(readme) == newerReadme) << "the refused installer changed a file";
}

// ---- languages -----------------------------------------------------------------------

// A visible top-level window, or a child of one, with exactly this text.
struct TextSearch {
    const std::wstring& text;
    HWND found;
};
BOOL CALLBACK MatchText(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<TextSearch*>(data);
    if (!IsWindowVisible(window) || WindowText(window) != search->text) return TRUE;
    search->found = window;
    return FALSE;
}
HWND WindowWithText(const std::wstring& text) {
    TextSearch search{text, nullptr};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            if (MatchText(window, data)) EnumChildWindows(window, MatchText, data);
            return reinterpret_cast<TextSearch*>(data)->found == nullptr;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The installer's program file's name, as the process list shows it.
std::wstring SetupName() { return kSetup.substr(kSetup.find_last_of(L'\\') + 1); }

// Starts the installer on this test's desktop, with Wine told this language. Wine takes the
// language from LC_ALL as a process starts, and a Windows program passes its own on to the
// programs it starts: the installer is started through Unix's env. Wine gives no handle of
// a Unix program it starts; the installer is found by its program file.
void StartSetupSpeaking(const wchar_t* locale) {
    if (HANDLE wine =
            Launch(L"Z:\\usr\\bin\\env LC_ALL=" + std::wstring(locale) + L" wine explorer.exe /desktop=" +
                   coretest::DesktopNamed(coretest::kTestDesktopSize) + L" \"" + kSetup + L"\""))
        CloseHandle(wine);
}

// Ends every running installer: on whichever page it shows, it has installed nothing yet.
void EndSetups() {
    for (int tries = 0; tries < 50; ++tries) {
        HANDLE setup =
            OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, coretest::FindOtherProcess(SetupName()));
        if (setup == nullptr) return;
        TerminateProcess(setup, 1);
        WaitForSingleObject(setup, 10000);
        CloseHandle(setup);
    }
}

// The texts of the visible windows of a running installer, for a failure to say what it shows.
struct SetupTexts {
    DWORD setup = coretest::FindOtherProcess(SetupName());
    std::wstring texts;
};
BOOL CALLBACK NoteSetupText(HWND window, LPARAM data) {
    auto* found = reinterpret_cast<SetupTexts*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == found->setup && IsWindowVisible(window) && !WindowText(window).empty())
        found->texts += L"[" + WindowText(window) + L"] ";
    return TRUE;
}
std::wstring ShownBySetup() {
    SetupTexts found;
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            EnumChildWindows(window, NoteSetupText, data);
            return NoteSetupText(window, data);
        },
        reinterpret_cast<LPARAM>(&found));
    return found.texts;
}

// The installer's welcome page speaks the language of Windows: Italian, Spanish (that of
// Spain for every country), and English for any other. A start that Wine never made (no
// installer runs at all) is made once more, and a busy machine gets a minute to show the
// page; an installer that runs speaks that language.
TEST(Installer, WelcomesThePlayerInTheLanguageOfWindows) {
    if (!coretest::InsideVirtualDesktop()) GTEST_SKIP() << "the language is set through Wine";
    const std::pair<const wchar_t*, std::wstring> cases[] = {
        {L"it_IT.UTF-8", L"Benvenuto in Zandro++ " + kVersion},
        {L"es_ES.UTF-8", L"Bienvenido a Zandro++ " + kVersion},
        {L"es_MX.UTF-8", L"Bienvenido a Zandro++ " + kVersion},
        {L"fr_FR.UTF-8", L"Welcome to Zandro++ " + kVersion},
    };
    const auto setupRuns = [] { return coretest::FindOtherProcess(SetupName()) != 0; };
    for (const auto& [locale, welcome] : cases) {
        SCOPED_TRACE(std::string(locale, locale + wcslen(locale)));
        const std::wstring& title = welcome;  // a lambda cannot capture a structured binding
        StartSetupSpeaking(locale);
        if (!WaitUntil(setupRuns, 20000)) StartSetupSpeaking(locale);
        const bool welcomed = WaitUntil([&] { return WindowWithText(title) != nullptr; }, 60000);
        EXPECT_TRUE(welcomed) << (setupRuns() ? L"the installer shows " + ShownBySetup()
                                              : L"no installer started");
        EndSetups();
    }
}

// ---- winget ---------------------------------------------------------------------------

// The value of "Key: value" in one of the release's winget manifests, without quotes.
std::wstring ManifestValue(const std::wstring& manifest, const std::string& key) {
    const std::wstring dist = kSetup.substr(0, kSetup.find_last_of(L'\\') + 1);
    std::ifstream in((dist + L"ZandroDevelopers.Zandro." + manifest).c_str());
    for (std::string line; std::getline(in, line);) {
        const size_t start = line.find_first_not_of(" -");
        if (start == std::string::npos || line.compare(start, key.size() + 2, key + ": ") != 0) continue;
        std::string value = line.substr(start + key.size() + 2);
        if (value.size() >= 2 && value.front() == '"') value = value.substr(1, value.size() - 2);
        return std::wstring(value.begin(), value.end());
    }
    return L"(missing)";
}

// What winget reads in the manifests is what the installer does: its silent switch, its
// scope (the entry read here is the user's), and the uninstall entry by which winget finds
// an installed copy.
TEST_F(Installed, WingetManifestsMatchTheUninstallEntry) {
    const std::pair<std::wstring, std::wstring> matches[] = {
        {ManifestValue(L"installer.yaml", "ProductCode"), L"Zandro++"},  // the key's name
        {ManifestValue(L"installer.yaml", "PackageVersion"), UninstallValue(L"DisplayVersion")},
        {ManifestValue(L"locale.en-US.yaml", "PackageName"), UninstallValue(L"DisplayName")},
        {ManifestValue(L"locale.en-US.yaml", "Publisher"), UninstallValue(L"Publisher")},
        {ManifestValue(L"yaml", "PackageVersion"), kVersion},
        {ManifestValue(L"installer.yaml", "Silent"), L"/S"},  // as RunSetup installed it
        {ManifestValue(L"installer.yaml", "Scope"), L"user"},
    };
    for (const auto& [manifest, installed] : matches) EXPECT_EQ(manifest, installed);
}

// ---- signed ---------------------------------------------------------------------------

// Windows' own check of a program's signature.
LONG Trust(const std::wstring& file) {
    WINTRUST_FILE_INFO fileInfo{sizeof fileInfo, file.c_str(), nullptr, nullptr};
    WINTRUST_DATA data{};
    data.cbStruct = sizeof data;
    data.dwUIChoice = WTD_UI_NONE;
    data.dwUnionChoice = WTD_CHOICE_FILE;
    data.pFile = &fileInfo;
    data.dwStateAction = WTD_STATEACTION_VERIFY;
    GUID action = WINTRUST_ACTION_GENERIC_VERIFY_V2;
    const LONG result = WinVerifyTrust(static_cast<HWND>(INVALID_HANDLE_VALUE), &action, &data);
    data.dwStateAction = WTD_STATEACTION_CLOSE;
    WinVerifyTrust(static_cast<HWND>(INVALID_HANDLE_VALUE), &action, &data);
    return result;
}

// Windows finds a signature on every signed file, made under an authority it does not
// trust (the test's own); a changed byte breaks it, and a release built without a
// certificate has none. Wine checks the signature and the digest but not the root: it
// answers 0 where Windows answers that the root is untrusted.
TEST(SignedRelease, WindowsSeesTheSignatureAndAnUntrustedRoot) {
    const bool wine = GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
    const unsigned long untrustedRoot = wine ? 0 : CERT_E_UNTRUSTEDROOT;
    for (const wchar_t* file :
         {L"Zandro.exe", L"zandro-odds.exe", L"uninstall.exe", L"Zandro-" ZANDRO_VERSION "-setup.exe"})
        EXPECT_EQ(static_cast<unsigned long>(Trust(kSigned + L"\\" + file)), untrustedRoot) << file;
    EXPECT_EQ(static_cast<unsigned long>(Trust(kSigned + L"\\..\\changed.exe")), TRUST_E_BAD_DIGEST);
    for (const std::wstring& file : {kSetup, kUnpacked + L"\\Zandro.exe"})
        EXPECT_EQ(static_cast<unsigned long>(Trust(file)), TRUST_E_NOSIGNATURE) << "unsigned";
}

}  // namespace
