// The system-information report the Help menu copies for a support request:
// Windows, memory, drives, display, printers and file versions. The facts are
// gathered by system_facts (Win32); the text is laid out here from plain
// values, so its layout is the same for any set of facts. Pure code.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace typorama::charmap {

// The sections, as bits of the set BuildSystemReport is asked for.
enum SystemSection : unsigned {
    kSectionWindows = 1,
    kSectionMemory = 2,
    kSectionDisplay = 4,
    kSectionDrives = 8,
    kSectionPrinters = 16,
    kSectionFiles = 32,
    kAllSections = 63,
};

// The platform codes of the system's version record.
enum class OsPlatform : std::uint32_t { Win32s = 0, Windows9x = 1, NT = 2 };

struct OsVersion {
    OsPlatform platform = OsPlatform::NT;
    std::uint32_t major = 0, minor = 0, build = 0;
};

struct DriveFacts {
    char16_t letter = u'C';
    std::uint32_t type = 0;  // the system's drive type code, 0..6
    // Unknown when not asked (removable and CD-ROM drives) or when the query failed.
    std::optional<std::uint64_t> totalBytes, freeBytes;
    std::u16string fileSystem;
};

struct MonitorFacts {
    std::int32_t left = 0, top = 0, width = 0, height = 0;
    std::uint32_t dpi = 96;
    bool primary = false;
};

struct FileVersionFacts {
    std::u16string name;     // without folder
    std::u16string version;  // empty without a version resource
};

struct SystemFacts {
    std::u16string windowsFolder, systemFolder;
    OsVersion os;
    std::u16string registryVersion;
    bool plusTab = false;
    std::uint64_t uptimeMs = 0;

    std::uint32_t memoryLoad = 0;
    std::uint64_t totalPhysical = 0, availablePhysical = 0, totalPageFile = 0, availablePageFile = 0;
    std::u16string tempFolder;

    std::vector<DriveFacts> drives;

    std::int32_t screenWidth = 0, screenHeight = 0, bitsPerPixel = 0;
    std::vector<MonitorFacts> monitors;

    std::vector<std::u16string> printers;  // empty: no printer installed
    std::u16string defaultPrinter;
    std::int32_t printerDpiX = 0, printerDpiY = 0;

    std::vector<FileVersionFacts> files;
};

// The patterns of the report's lines, from the string table; the comment
// gives each one's arguments. Their order is that of their resource ids.
enum class SystemText : int {
    WindowsTitle,    // "[Windows]"
    Location,        // %s Windows folder, %s system folder
    Version,         // %s the operating-system version text
    Registry,        // %s the registry's version text
    PlusTab,         // %d 1 or 0
    Uptime,          // %s hh:mm:ss or mm:ss
    MemoryTitle,
    MemoryLoad,      // %d percent
    MemoryTotal,     // %d KiB
    MemoryFree,      // %d KiB
    PageFile,        // %d KiB
    PageFileFree,    // %d KiB
    TempFolder,      // %s
    DrivesTitle,
    Drive,           // %s name, %s type, %s file system, %s size, %s free
    DisplayTitle,
    Screen,          // %d width, %d height
    BitsPerPixel,    // %d
    Monitor,         // %d number, %d width, %d height, %d left, %d top, %d dpi, %s primary mark
    PrimaryMark,
    PrintersTitle,
    NoPrinter,
    DefaultPrinter,  // %s
    PrinterDpi,      // %d x, %d y
    AllPrinters,
    FilesTitle,
    FileVersion,     // %s name, %s version
    Count
};
using SystemTexts = std::array<std::u16string, static_cast<std::size_t>(SystemText::Count)>;

// "Windows 95, version 4.0.950" and the like: the platform's name, then
// major.minor.build with the build's lower 16 bits.
std::u16string OsVersionText(const OsVersion& os);

// The time since the system started: "mm:ss", or "hh:mm:ss" from one hour on.
std::u16string UptimeText(std::uint64_t ms);

// A drive size: whole MiB with "MB" below 1 GiB, else GiB with two decimals and "GB".
std::u16string DriveSizeText(std::uint64_t bytes);

// The name of the system's drive type code ("Unknown" outside 0..6).
std::u16string DriveTypeName(std::uint32_t type);

// The requested sections, in the order Windows, memory, drives, display,
// printers, files; every line ends in CR LF.
std::u16string BuildSystemReport(unsigned sections, const SystemFacts& facts, const SystemTexts& texts);

}  // namespace typorama::charmap
