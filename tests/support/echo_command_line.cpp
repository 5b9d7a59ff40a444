// A test helper started as an external program: writes the command line it
// got, as UTF-8, to the file named by TYPORAMA_ECHO_OUT, so that a test can
// see exactly what the program under test passed.
#include <windows.h>

#include <string>

int wmain() {
    wchar_t out[MAX_PATH]{};
    if (!GetEnvironmentVariableW(L"TYPORAMA_ECHO_OUT", out, MAX_PATH)) return 2;
    const std::wstring line = GetCommandLineW();
    const int size = WideCharToMultiByte(CP_UTF8, 0, line.c_str(), static_cast<int>(line.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, line.c_str(), static_cast<int>(line.size()), bytes.data(), size, nullptr,
                        nullptr);
    // Written under another name first: the test waits for the final name.
    const std::wstring partial = std::wstring(out) + L".part";
    const HANDLE file =
        CreateFileW(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 3;
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return MoveFileExW(partial.c_str(), out, MOVEFILE_REPLACE_EXISTING) ? 0 : 4;
}
