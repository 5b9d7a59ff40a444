#include "charmap/system_report.h"

#include "base/text_format.h"

namespace typorama::charmap {
namespace {

constexpr std::uint64_t kMiB = 1024 * 1024;
constexpr std::uint64_t kGiB = kMiB * 1024;

class ReportWriter {
public:
    explicit ReportWriter(const SystemTexts& texts) : texts_(texts) {}

    const std::u16string& Text(SystemText which) const { return texts_[static_cast<std::size_t>(which)]; }
    void Line(std::u16string_view text) {
        out_ += text;
        out_ += u"\r\n";
    }
    void Line(SystemText which, const std::vector<FormatArg>& args = {}) { Line(FormatText(Text(which), args)); }
    void EndSection() { out_ += u"\r\n"; }
    std::u16string Take() { return std::move(out_); }

private:
    const SystemTexts& texts_;
    std::u16string out_;
};

std::int64_t KiB(std::uint64_t bytes) { return static_cast<std::int64_t>(bytes >> 10); }
std::int64_t I(std::uint64_t value) { return static_cast<std::int64_t>(value); }

void WriteWindows(ReportWriter& w, const SystemFacts& f) {
    w.Line(SystemText::WindowsTitle);
    w.Line(SystemText::Location, {f.windowsFolder, f.systemFolder});
    w.Line(SystemText::Version, {OsVersionText(f.os)});
    w.Line(SystemText::Registry, {f.registryVersion});
    w.Line(SystemText::PlusTab, {std::int64_t{f.plusTab ? 1 : 0}});
    w.Line(SystemText::Uptime, {UptimeText(f.uptimeMs)});
    w.EndSection();
}

void WriteMemory(ReportWriter& w, const SystemFacts& f) {
    w.Line(SystemText::MemoryTitle);
    w.Line(SystemText::MemoryLoad, {I(f.memoryLoad)});
    w.Line(SystemText::MemoryTotal, {KiB(f.totalPhysical)});
    w.Line(SystemText::MemoryFree, {KiB(f.availablePhysical)});
    w.Line(SystemText::PageFile, {KiB(f.totalPageFile)});
    w.Line(SystemText::PageFileFree, {KiB(f.availablePageFile)});
    w.Line(SystemText::TempFolder, {f.tempFolder});
    w.EndSection();
}

void WriteDrives(ReportWriter& w, const SystemFacts& f) {
    w.Line(SystemText::DrivesTitle);
    for (const DriveFacts& drive : f.drives) {
        const std::u16string name{drive.letter, u':'};
        const bool known = drive.totalBytes && drive.freeBytes;
        const std::u16string total = known ? DriveSizeText(*drive.totalBytes) : u"-";
        const std::u16string free = known ? DriveSizeText(*drive.freeBytes) : u"-";
        const std::u16string fileSystem = known ? drive.fileSystem : u"-";
        w.Line(SystemText::Drive, {name, DriveTypeName(drive.type), fileSystem, total, free});
    }
    w.EndSection();
}

void WriteDisplay(ReportWriter& w, const SystemFacts& f) {
    w.Line(SystemText::DisplayTitle);
    w.Line(SystemText::Screen, {std::int64_t{f.screenWidth}, std::int64_t{f.screenHeight}});
    w.Line(SystemText::BitsPerPixel, {std::int64_t{f.bitsPerPixel}});
    // Today's systems have several screens of their own resolutions: each is listed.
    std::int64_t number = 0;
    for (const MonitorFacts& m : f.monitors) {
        const std::u16string_view mark = m.primary ? std::u16string_view(w.Text(SystemText::PrimaryMark)) : u"";
        w.Line(SystemText::Monitor, {++number, std::int64_t{m.width}, std::int64_t{m.height}, std::int64_t{m.left},
                                     std::int64_t{m.top}, I(m.dpi), mark});
    }
    w.EndSection();
}

void WritePrinters(ReportWriter& w, const SystemFacts& f) {
    w.Line(SystemText::PrintersTitle);
    if (f.printers.empty()) {
        w.Line(SystemText::NoPrinter);
    } else {
        w.Line(SystemText::DefaultPrinter, {f.defaultPrinter});
        w.Line(SystemText::PrinterDpi, {std::int64_t{f.printerDpiX}, std::int64_t{f.printerDpiY}});
        w.Line(SystemText::AllPrinters);
        for (const std::u16string& name : f.printers) w.Line(name);
    }
    w.EndSection();
}

void WriteFiles(ReportWriter& w, const SystemFacts& f) {
    w.Line(SystemText::FilesTitle);
    for (const FileVersionFacts& file : f.files) w.Line(SystemText::FileVersion, {file.name, file.version});
    w.EndSection();
}

std::u16string TwoDigits(std::uint64_t value) { return FormatText(u"%.2d", {I(value)}); }

}  // namespace

std::u16string OsVersionText(const OsVersion& os) {
    std::u16string name;
    switch (os.platform) {
    case OsPlatform::Win32s:
        name = u"Win32 version ";
        break;
    case OsPlatform::Windows9x:
        name = os.minor < 10 ? u"Windows 95, version " : os.minor == 10 ? u"Windows 98, version " : u"Windows ME, version ";
        break;
    case OsPlatform::NT:
    default:
        name = os.major == 4 ? u"Windows NT, version " : os.major == 5 ? u"Windows 2000, version "
                                                                       : u"Windows based on NT core, version ";
        break;
    }
    return name + FormatText(u"%d.%d.%d", {I(os.major), I(os.minor), I(os.build & 0xFFFF)});
}

std::u16string UptimeText(std::uint64_t ms) {
    const std::uint64_t totalSeconds = ms / 1000;
    std::uint64_t hours = 0, minutes = 0, seconds = totalSeconds;
    if (totalSeconds >= 60) {
        const std::uint64_t totalMinutes = ms / 60000;
        seconds = totalSeconds - 60 * totalMinutes;
        minutes = totalMinutes;
        if (totalMinutes >= 60) {
            hours = totalMinutes / 60;
            minutes = totalMinutes % 60;
        }
    }
    std::u16string text;
    if (hours > 0) text = TwoDigits(hours) + u":";
    return text + TwoDigits(minutes) + u":" + TwoDigits(seconds);
}

std::u16string DriveSizeText(std::uint64_t bytes) {
    if (bytes < kGiB) return FormatText(u"%dMB", {I(bytes / kMiB)});
    return FormatText(u"%.2fGB", {static_cast<double>(bytes) / static_cast<double>(kGiB)});
}

std::u16string DriveTypeName(std::uint32_t type) {
    static constexpr const char16_t* kNames[] = {u"Unknown", u"No root", u"Removable", u"Fixed",
                                                 u"Remote",  u"CD-ROM",  u"RAM disk"};
    return type < std::size(kNames) ? kNames[type] : kNames[0];
}

std::u16string BuildSystemReport(unsigned sections, const SystemFacts& facts, const SystemTexts& texts) {
    ReportWriter writer(texts);
    if (sections & kSectionWindows) WriteWindows(writer, facts);
    if (sections & kSectionMemory) WriteMemory(writer, facts);
    if (sections & kSectionDrives) WriteDrives(writer, facts);
    if (sections & kSectionDisplay) WriteDisplay(writer, facts);
    if (sections & kSectionPrinters) WritePrinters(writer, facts);
    if (sections & kSectionFiles) WriteFiles(writer, facts);
    return writer.Take();
}

}  // namespace typorama::charmap
