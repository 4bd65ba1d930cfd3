// recorder: stands in for every program a test may cause the launcher to start (the default
// browser, a document's associated program, the updater). It appends its own full command line,
// as UTF-8 and one line per start, to the file named by TAVIK_RECORDER_LOG, then exits.
#include <windows.h>

#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    wchar_t logPath[MAX_PATH * 2];
    DWORD n = GetEnvironmentVariableW(L"TAVIK_RECORDER_LOG", logPath, MAX_PATH * 2);
    if (n == 0 || n >= MAX_PATH * 2)
        return 1;

    const wchar_t* cmd = GetCommandLineW();
    int bytes = WideCharToMultiByte(CP_UTF8, 0, cmd, -1, nullptr, 0, nullptr, nullptr);
    std::string line(bytes > 0 ? bytes - 1 : 0, '\0');
    if (bytes > 1)
        WideCharToMultiByte(CP_UTF8, 0, cmd, -1, &line[0], bytes, nullptr, nullptr);
    line += '\n';

    // Several starts may race; appends of one write each keep lines whole.
    HANDLE file = INVALID_HANDLE_VALUE;
    for (int attempt = 0; attempt < 50 && file == INVALID_HANDLE_VALUE; ++attempt) {
        file = CreateFileW(logPath, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            Sleep(20);
    }
    if (file == INVALID_HANDLE_VALUE)
        return 2;
    DWORD written = 0;
    WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(file);
    return 0;
}
