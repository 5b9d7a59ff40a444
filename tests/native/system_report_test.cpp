#include "charmap/system_report.h"

#include <gtest/gtest.h>

namespace typorama::charmap {
namespace {

// Short made-up patterns in place of the string table's, one per text.
SystemTexts MadeUpTexts() {
    SystemTexts t;
    t[static_cast<int>(SystemText::WindowsTitle)] = u"[W]";
    t[static_cast<int>(SystemText::Location)] = u"loc %s, %s";
    t[static_cast<int>(SystemText::Version)] = u"ver %s";
    t[static_cast<int>(SystemText::Registry)] = u"reg %s";
    t[static_cast<int>(SystemText::PlusTab)] = u"plus %d";
    t[static_cast<int>(SystemText::Uptime)] = u"up %s";
    t[static_cast<int>(SystemText::MemoryTitle)] = u"[M]";
    t[static_cast<int>(SystemText::MemoryLoad)] = u"load %d%%";
    t[static_cast<int>(SystemText::MemoryTotal)] = u"total %dKB";
    t[static_cast<int>(SystemText::MemoryFree)] = u"free %dKB";
    t[static_cast<int>(SystemText::PageFile)] = u"page %dKB";
    t[static_cast<int>(SystemText::PageFileFree)] = u"pagefree %dKB";
    t[static_cast<int>(SystemText::TempFolder)] = u"temp %s";
    t[static_cast<int>(SystemText::DrivesTitle)] = u"[D]";
    t[static_cast<int>(SystemText::Drive)] = u"%s %s (%s), size: %s, free: %s";
    t[static_cast<int>(SystemText::DisplayTitle)] = u"[S]";
    t[static_cast<int>(SystemText::Screen)] = u"screen %d x %d";
    t[static_cast<int>(SystemText::BitsPerPixel)] = u"bpp %d";
    t[static_cast<int>(SystemText::Monitor)] = u"mon %d: %d x %d at %d,%d %d dpi%s";
    t[static_cast<int>(SystemText::PrimaryMark)] = u" primary";
    t[static_cast<int>(SystemText::PrintersTitle)] = u"[P]";
    t[static_cast<int>(SystemText::NoPrinter)] = u"none";
    t[static_cast<int>(SystemText::DefaultPrinter)] = u"default %s";
    t[static_cast<int>(SystemText::PrinterDpi)] = u"res %dx%d";
    t[static_cast<int>(SystemText::AllPrinters)] = u"all:";
    t[static_cast<int>(SystemText::FilesTitle)] = u"[F]";
    t[static_cast<int>(SystemText::FileVersion)] = u"%s ver %s";
    return t;
}

constexpr std::uint64_t kMiB = 1024 * 1024;

SystemFacts MadeUpFacts() {
    SystemFacts f;
    f.windowsFolder = u"C:\\windows";
    f.systemFolder = u"C:\\windows\\system32";
    f.os = {OsPlatform::NT, 10, 0, 0x12345678};
    f.registryVersion = u"Windows 10 version 22H2";
    f.plusTab = false;
    f.uptimeMs = 3723000;
    f.memoryLoad = 42;
    f.totalPhysical = 8ull << 30, f.availablePhysical = 3 * kMiB + 1023;
    f.totalPageFile = 0xFFFFFFFFFFFFFFFFull, f.availablePageFile = 1024;
    f.tempFolder = u"C:\\temp\\";
    f.drives = {{u'A', 2, std::nullopt, std::nullopt, u"FAT"},
                {u'C', 3, 500 * kMiB, 12 * kMiB, u"NTFS"},
                {u'Z', 3, 80000000000ull, 1ull << 30, u"NTFS"}};
    f.screenWidth = 1920, f.screenHeight = 1080, f.bitsPerPixel = 32;
    f.monitors = {{0, 0, 1920, 1080, 144, true}, {1920, -200, 1280, 1024, 96, false}};
    f.printers = {u"Office", u"PDF"};
    f.defaultPrinter = u"Office";
    f.printerDpiX = 600, f.printerDpiY = 300;
    f.files = {{u"ComCtl32.dll", u"6.10"}, {u"typorama.exe", u""}};
    return f;
}

TEST(SystemReport, WritesEverySectionInOrderWithItsFacts) {
    const std::u16string report = BuildSystemReport(kAllSections, MadeUpFacts(), MadeUpTexts());
    EXPECT_EQ(report,
              u"[W]\r\nloc C:\\windows, C:\\windows\\system32\r\n"
              u"ver Windows based on NT core, version 10.0.22136\r\nreg Windows 10 version 22H2\r\nplus 0\r\n"
              u"up 01:02:03\r\n\r\n"
              u"[M]\r\nload 42%\r\ntotal 8388608KB\r\nfree 3072KB\r\npage 18014398509481983KB\r\n"
              u"pagefree 1KB\r\ntemp C:\\temp\\\r\n\r\n"
              u"[D]\r\nA: Removable (-), size: -, free: -\r\nC: Fixed (NTFS), size: 500MB, free: 12MB\r\n"
              u"Z: Fixed (NTFS), size: 74.51GB, free: 1.00GB\r\n\r\n"
              u"[S]\r\nscreen 1920 x 1080\r\nbpp 32\r\nmon 1: 1920 x 1080 at 0,0 144 dpi primary\r\n"
              u"mon 2: 1280 x 1024 at 1920,-200 96 dpi\r\n\r\n"
              u"[P]\r\ndefault Office\r\nres 600x300\r\nall:\r\nOffice\r\nPDF\r\n\r\n"
              u"[F]\r\nComCtl32.dll ver 6.10\r\ntyporama.exe ver \r\n\r\n");
}

TEST(SystemReport, WritesOnlyTheRequestedSectionsAndSaysWhenNoPrinterIsThere) {
    SystemFacts facts = MadeUpFacts();
    facts.printers.clear();
    EXPECT_EQ(BuildSystemReport(kSectionPrinters | kSectionDisplay, facts, MadeUpTexts()).substr(0, 4), u"[S]\r");
    EXPECT_EQ(BuildSystemReport(kSectionPrinters, facts, MadeUpTexts()), u"[P]\r\nnone\r\n\r\n");
    EXPECT_EQ(BuildSystemReport(0, facts, MadeUpTexts()), u"");
}

TEST(SystemReport, UptimeShowsHoursOnlyFromOneHourOn) {
    EXPECT_EQ(UptimeText(0), u"00:00");
    EXPECT_EQ(UptimeText(59999), u"00:59");
    EXPECT_EQ(UptimeText(125000), u"02:05");
    EXPECT_EQ(UptimeText(3599999), u"59:59");
    EXPECT_EQ(UptimeText(3600000), u"01:00:00");
    EXPECT_EQ(UptimeText(3723000), u"01:02:03");
    EXPECT_EQ(UptimeText(100ull * 3600000 + 61000), u"100:01:01") << "a machine up for days";
}

TEST(SystemReport, DriveSizesSwitchToGigabytesAtOneGiB) {
    EXPECT_EQ(DriveSizeText(500 * kMiB), u"500MB");
    EXPECT_EQ(DriveSizeText(1024 * kMiB - 1), u"1023MB");
    EXPECT_EQ(DriveSizeText(1024 * kMiB), u"1.00GB");
    EXPECT_EQ(DriveSizeText(80000000000ull), u"74.51GB");
    EXPECT_EQ(DriveTypeName(6), u"RAM disk");
    EXPECT_EQ(DriveTypeName(7), u"Unknown");
}

TEST(SystemReport, NamesEveryPlatformAndVersion) {
    EXPECT_EQ(OsVersionText({OsPlatform::Win32s, 3, 10, 0}), u"Win32 version 3.10.0");
    EXPECT_EQ(OsVersionText({OsPlatform::Windows9x, 4, 0, 0x040003B6}), u"Windows 95, version 4.0.950");
    EXPECT_EQ(OsVersionText({OsPlatform::Windows9x, 4, 10, 2222}), u"Windows 98, version 4.10.2222");
    EXPECT_EQ(OsVersionText({OsPlatform::Windows9x, 4, 90, 3000}), u"Windows ME, version 4.90.3000");
    EXPECT_EQ(OsVersionText({OsPlatform::NT, 4, 0, 1381}), u"Windows NT, version 4.0.1381");
    EXPECT_EQ(OsVersionText({OsPlatform::NT, 5, 1, 2600}), u"Windows 2000, version 5.1.2600");
    EXPECT_EQ(OsVersionText({OsPlatform::NT, 10, 0, 26100}), u"Windows based on NT core, version 10.0.26100");
}

}  // namespace
}  // namespace typorama::charmap
