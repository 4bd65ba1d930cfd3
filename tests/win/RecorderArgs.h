// The arguments of one start recorded by the recorder, split by the system's command-line rules.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "support/TestSupport.h"

namespace testing_support {

inline std::vector<std::wstring> RecordedArgs(const std::string& utf8Line)
{
    std::vector<std::wstring> args;
    std::wstring line = Utf8ToWide(utf8Line);
    int argc = 0;
    LPWSTR* argv = ::CommandLineToArgvW(line.c_str(), &argc);
    if (!argv)
        return args;
    for (int i = 0; i < argc; ++i)
        args.push_back(argv[i]);
    ::LocalFree(argv);
    return args;
}

inline bool IsRecorder(const std::wstring& program)
{
    return lstrcmpiW(program.c_str(), L"C:\\tavik\\recorder.exe") == 0;
}

}  // namespace testing_support
