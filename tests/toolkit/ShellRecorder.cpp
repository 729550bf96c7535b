// Stands in for the browser and the mail program in tests: registered as the handler of
// web and mail addresses, it appends the address it was asked to open to a log file.
//   shell_recorder.exe LOGFILE ADDRESS
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <string>

int main() {
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (arguments == nullptr || count < 2) return 2;
    std::wstring address = count >= 3 ? arguments[2] : L"";
    FILE* log = _wfopen(arguments[1], L"ab");
    if (log == nullptr) return 3;
    std::string line;
    for (wchar_t unit : address) line += static_cast<char>(unit);  // the addresses are ASCII
    line += '\n';
    fwrite(line.data(), 1, line.size(), log);
    fclose(log);
    LocalFree(arguments);
    return 0;
}
