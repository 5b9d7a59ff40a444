#include "charmap/system_facts.h"

#include <shellscalingapi.h>
#include <winspool.h>

#include <cstdint>
#include <cwchar>
#include <memory>

#include "ui/resource.h"
#include "win/folders.h"
#include "win/registry.h"
#include "win/resource_strings.h"
#include "win/unique_handle.h"
#include "win/wide.h"

namespace typorama::charmap {
namespace {

std::u16string U16(const std::wstring& text) { return std::u16string(win::AsU16(text)); }

std::wstring SystemFolder() {
    wchar_t path[MAX_PATH] = L"";
    const UINT length = GetSystemDirectoryW(path, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::wstring(path, length) : std::wstring();
}

// The version the system really runs: GetVersionEx answers with the version
// the program's manifest declares itself compatible with, RtlGetVersion does not.
OsVersion RunningVersion() {
    OsVersion version;
    using RtlGetVersionProc = LONG(WINAPI*)(RTL_OSVERSIONINFOW*);
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    const auto rtlGetVersion =
        ntdll ? reinterpret_cast<RtlGetVersionProc>(reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlGetVersion")))
              : nullptr;
    RTL_OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
    if (rtlGetVersion && rtlGetVersion(&info) == 0) {
        version.platform = static_cast<OsPlatform>(info.dwPlatformId);
        version.major = info.dwMajorVersion;
        version.minor = info.dwMinorVersion;
        version.build = info.dwBuildNumber;
    }
    return version;
}

std::wstring ReadText(HKEY key, const wchar_t* name) {
    return key ? win::ReadString(key, name, 1024).value_or(std::wstring()) : std::wstring();
}

void AddWindowsFacts(SystemFacts& facts) {
    facts.windowsFolder = U16(win::WindowsFolder());
    facts.systemFolder = U16(SystemFolder());
    facts.os = RunningVersion();
    facts.registryVersion = U16(RegistryVersionText());
    // Windows 95 alone knows the Plus! extension; every later system answers
    // FALSE (or fails), which reads as 0.
    BOOL plus = FALSE;
    facts.plusTab = SystemParametersInfoW(SPI_GETWINDOWSEXTENSION, 1, &plus, 0) && plus;
    // The 32-bit tick count wraps after 49.7 days of running.
    facts.uptimeMs = GetTickCount64();
}

void AddMemoryFacts(SystemFacts& facts) {
    MEMORYSTATUSEX memory{};
    memory.dwLength = sizeof memory;
    if (GlobalMemoryStatusEx(&memory)) {
        facts.memoryLoad = memory.dwMemoryLoad;
        facts.totalPhysical = memory.ullTotalPhys;
        facts.availablePhysical = memory.ullAvailPhys;
        // On the NT family the "page file" is the commit limit: memory plus page files.
        facts.totalPageFile = memory.ullTotalPageFile;
        facts.availablePageFile = memory.ullAvailPageFile;
    }
    wchar_t temp[MAX_PATH + 1] = L"";
    const DWORD length = GetTempPathW(MAX_PATH + 1, temp);
    if (length > 0 && length <= MAX_PATH) facts.tempFolder = U16(std::wstring(temp, length));
}

void AddDriveFacts(SystemFacts& facts) {
    // A drive without a medium must not make the system ask the user.
    const UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    const DWORD present = GetLogicalDrives();
    for (int i = 0; i < 26; ++i) {
        if (!(present & (1u << i))) continue;
        DriveFacts drive;
        drive.letter = static_cast<char16_t>(u'A' + i);
        const std::wstring root{static_cast<wchar_t>(L'A' + i), L':', L'\\'};
        drive.type = GetDriveTypeW(root.c_str());
        // Removable and CD-ROM drives are left alone, so that no medium is touched.
        if (drive.type != DRIVE_REMOVABLE && drive.type != DRIVE_CDROM) {
            ULARGE_INTEGER available{}, total{}, totalFree{};
            if (GetDiskFreeSpaceExW(root.c_str(), &available, &total, &totalFree)) {
                drive.totalBytes = total.QuadPart;
                drive.freeBytes = available.QuadPart;
                wchar_t fileSystem[MAX_PATH + 1] = L"";
                if (GetVolumeInformationW(root.c_str(), nullptr, 0, nullptr, nullptr, nullptr, fileSystem,
                                          MAX_PATH + 1))
                    drive.fileSystem = U16(fileSystem);
            }
        }
        facts.drives.push_back(std::move(drive));
    }
    SetErrorMode(oldMode);
}

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, RECT*, LPARAM param) {
    auto& monitors = *reinterpret_cast<std::vector<MonitorFacts>*>(param);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoW(monitor, &info)) return TRUE;
    MonitorFacts m;
    m.left = info.rcMonitor.left;
    m.top = info.rcMonitor.top;
    m.width = info.rcMonitor.right - info.rcMonitor.left;
    m.height = info.rcMonitor.bottom - info.rcMonitor.top;
    m.primary = (info.dwFlags & MONITORINFOF_PRIMARY) != 0;
    UINT dpiX = 0, dpiY = 0;
    if (SUCCEEDED(GetDpiForMonitor(monitor, MDT_EFFECTIVE_DPI, &dpiX, &dpiY))) m.dpi = dpiX;
    monitors.push_back(m);
    return TRUE;
}

void AddDisplayFacts(SystemFacts& facts) {
    facts.screenWidth = GetSystemMetrics(SM_CXSCREEN);
    facts.screenHeight = GetSystemMetrics(SM_CYSCREEN);
    if (const HDC screen = GetDC(nullptr)) {
        facts.bitsPerPixel = GetDeviceCaps(screen, BITSPIXEL) * GetDeviceCaps(screen, PLANES);
        ReleaseDC(nullptr, screen);
    }
    EnumDisplayMonitors(nullptr, nullptr, &AddMonitor, reinterpret_cast<LPARAM>(&facts.monitors));
}

std::wstring DefaultPrinter() {
    DWORD size = 0;
    GetDefaultPrinterW(nullptr, &size);
    if (size == 0 || size > 32768) return {};
    std::wstring name(size, L'\0');
    if (!GetDefaultPrinterW(name.data(), &size)) return {};
    name.resize(std::wcslen(name.c_str()));
    return name;
}

void AddPrinterFacts(SystemFacts& facts) {
    const std::vector<std::wstring> printers = InstalledPrinters();
    for (const std::wstring& name : printers) facts.printers.push_back(U16(name));
    if (printers.empty()) return;
    std::wstring current = DefaultPrinter();
    if (current.empty()) current = printers.front();
    facts.defaultPrinter = U16(current);
    win::UniqueDC dc(CreateDCW(L"WINSPOOL", current.c_str(), nullptr, nullptr));
    if (dc) {
        facts.printerDpiX = GetDeviceCaps(dc.get(), LOGPIXELSX);
        facts.printerDpiY = GetDeviceCaps(dc.get(), LOGPIXELSY);
    }
}

// The FileVersion string of the first language and code page of the file's
// version resource; empty without one.
std::wstring FileVersionString(const std::wstring& path) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    if (size == 0) return {};
    std::unique_ptr<std::uint8_t[]> data(new std::uint8_t[size]);
    if (!GetFileVersionInfoW(path.c_str(), 0, size, data.get())) return {};
    struct Translation {
        WORD language, codePage;
    };
    void* found = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(data.get(), L"\\VarFileInfo\\Translation", &found, &length) || length < sizeof(Translation))
        return {};
    const Translation first = *static_cast<const Translation*>(found);
    wchar_t query[64];
    std::swprintf(query, 64, L"\\StringFileInfo\\%04x%04x\\FileVersion", first.language, first.codePage);
    if (!VerQueryValueW(data.get(), query, &found, &length) || length == 0) return {};
    const auto* text = static_cast<const wchar_t*>(found);
    return std::wstring(text, wcsnlen(text, length));
}

void AddFileFacts(SystemFacts& facts, const std::vector<std::wstring>& files, const std::wstring& extraFile) {
    std::vector<std::wstring> list = files;
    if (list.empty()) list.push_back(SystemFolder() + L"\\ComCtl32.dll");
    if (!extraFile.empty()) list.push_back(extraFile);
    for (const std::wstring& path : list) {
        const std::size_t slash = path.find_last_of(L"\\/");
        facts.files.push_back({U16(slash == std::wstring::npos ? path : path.substr(slash + 1)),
                               U16(FileVersionString(path))});
    }
}

}  // namespace

std::wstring RegistryVersionText(HKEY root, const std::wstring& windowsKey, const std::wstring& ntKey) {
    const win::OpenedKey windows = win::OpenKey(root, windowsKey, KEY_READ);
    const std::wstring version = ReadText(windows.get(), L"Version");
    const std::wstring number = ReadText(windows.get(), L"VersionNumber");
    const std::wstring subNumber = ReadText(windows.get(), L"SubVersionNumber");
    std::wstring text;
    if (version.empty() && number.empty() && subNumber.empty()) {
        // The NT family keeps its version under its own key.
        const win::OpenedKey nt = win::OpenKey(root, ntKey, KEY_READ);
        std::wstring display = ReadText(nt.get(), L"DisplayVersion");
        if (display.empty()) display = ReadText(nt.get(), L"ReleaseId");
        if (display.empty()) display = ReadText(nt.get(), L"CurrentVersion");
        text = ReadText(nt.get(), L"ProductName") + L" version " + display;
        const std::wstring build = ReadText(nt.get(), L"CurrentBuild");
        if (!build.empty()) {
            text += L" (" + build;
            DWORD revision = 0, size = sizeof revision;
            if (RegGetValueW(nt.get(), nullptr, L"UBR", RRF_RT_REG_DWORD, nullptr, &revision, &size) == ERROR_SUCCESS)
                text += L"." + std::to_wstring(revision);
            text += L")";
        }
    } else {
        text = version + L" version " + number + subNumber;
    }
    if (windows && win::QueryValue(windows.get(), L"Plus! VersionNumber"))
        text += L"\r\n" + ReadText(windows.get(), L"Plus! VersionNumber");
    return text;
}

std::vector<std::wstring> InstalledPrinters() {
    constexpr DWORD kFlags = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
    DWORD needed = 0, count = 0;
    EnumPrintersW(kFlags, nullptr, 4, nullptr, 0, &needed, &count);
    std::vector<std::wstring> names;
    if (needed == 0) return names;
    std::unique_ptr<BYTE[]> buffer(new BYTE[needed]);
    if (!EnumPrintersW(kFlags, nullptr, 4, buffer.get(), needed, &needed, &count)) return names;
    const auto* printers = reinterpret_cast<const PRINTER_INFO_4W*>(buffer.get());
    for (DWORD i = 0; i < count; ++i)
        if (printers[i].pPrinterName) names.emplace_back(printers[i].pPrinterName);
    return names;
}

SystemFacts GatherSystemFacts(unsigned sections, const std::vector<std::wstring>& files, const std::wstring& extraFile) {
    SystemFacts facts;
    if (sections & kSectionWindows) AddWindowsFacts(facts);
    if (sections & kSectionMemory) AddMemoryFacts(facts);
    if (sections & kSectionDrives) AddDriveFacts(facts);
    if (sections & kSectionDisplay) AddDisplayFacts(facts);
    if (sections & kSectionPrinters) AddPrinterFacts(facts);
    if (sections & kSectionFiles) AddFileFacts(facts, files, extraFile);
    return facts;
}

SystemTexts LoadSystemTexts() {
    static_assert(IDS_SYSINFO_TEXTS_LAST - IDS_SYSINFO_TEXTS_FIRST + 1 == static_cast<int>(SystemText::Count),
                  "one string per line pattern of the report");
    SystemTexts texts;
    for (std::size_t i = 0; i < texts.size(); ++i)
        texts[i] = U16(win::LoadResString(static_cast<UINT>(IDS_SYSINFO_TEXTS_FIRST + i)));
    return texts;
}

std::wstring SystemReport(unsigned sections, const std::vector<std::wstring>& files, const std::wstring& extraFile) {
    return win::ToWide(BuildSystemReport(sections, GatherSystemFacts(sections, files, extraFile), LoadSystemTexts()));
}

}  // namespace typorama::charmap
