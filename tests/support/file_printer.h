// A PostScript printer of Wine's own driver that prints to a file, for tests
// that print: added with its driver at the start, removed at the end.
#pragma once

#include <windows.h>
#include <winspool.h>

#include <cstdint>
#include <string>
#include <vector>

#include "support/font_builder.h"

namespace typorama::test {

// A PostScript printer that prints to a file, with a PPD of its own written
// into the system's driver folder; removed again with its driver at the end.
// One test printer exists at a time across the test processes CTest runs
// side by side: adding printers and drivers at once (each add copies the
// same driver files) makes some of them fail under Wine.
class FilePrinter {
public:
    explicit FilePrinter(const std::wstring& name)
        : name_(name), driver_(name + L" Driver"), turn_(CreateMutexW(nullptr, FALSE, L"Local\\TyporamaTestPrinter")) {
        // An abandoned turn (a test that crashed) is taken over all the same.
        if (turn_) WaitForSingleObject(turn_, 5 * 60 * 1000);
        Remove();
        wchar_t folder[MAX_PATH] = L"";
        DWORD size = sizeof folder;
        if (!GetPrinterDriverDirectoryW(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(folder), size, &size)) return;
        ppd_ = std::wstring(folder) + L"\\typorama_test_" + std::to_wstring(GetCurrentProcessId()) + L".ppd";
        const char kPpd[] =
            "*PPD-Adobe: \"4.3\"\n*FormatVersion: \"4.3\"\n*FileVersion: \"1.0\"\n*LanguageVersion: English\n"
            "*LanguageEncoding: ISOLatin1\n*PCFileName: \"TYTEST.PPD\"\n*Manufacturer: \"Typorama\"\n"
            "*Product: \"(Typorama Test)\"\n*PSVersion: \"(3010) 0\"\n*ModelName: \"Typorama Test\"\n"
            "*ShortNickName: \"Typorama Test\"\n*NickName: \"Typorama Test\"\n*ColorDevice: False\n"
            "*DefaultColorSpace: Gray\n*LanguageLevel: \"3\"\n*TTRasterizer: Type42\n*DefaultResolution: 300dpi\n"
            "*OpenUI *PageSize: PickOne\n*DefaultPageSize: A4\n"
            "*PageSize A4/A4: \"<</PageSize[595 842]>>setpagedevice\"\n"
            "*PageSize Letter/Letter: \"<</PageSize[612 792]>>setpagedevice\"\n*CloseUI: *PageSize\n"
            "*DefaultImageableArea: A4\n*ImageableArea A4/A4: \"18 18 577 824\"\n"
            "*ImageableArea Letter/Letter: \"18 18 594 774\"\n*DefaultPaperDimension: A4\n"
            "*PaperDimension A4/A4: \"595 842\"\n*PaperDimension Letter/Letter: \"612 792\"\n";
        if (!test::WriteBytesToFile(ppd_, std::vector<std::uint8_t>(kPpd, kPpd + sizeof kPpd - 1))) return;
        DRIVER_INFO_3W driver{};
        driver.cVersion = 3;
        driver.pName = driver_.data();
        driver.pDriverPath = const_cast<wchar_t*>(L"wineps.drv");
        driver.pDataFile = ppd_.data();
        driver.pConfigFile = const_cast<wchar_t*>(L"wineps.drv");
        if (!AddPrinterDriverExW(nullptr, 3, reinterpret_cast<BYTE*>(&driver), APD_COPY_NEW_FILES)) return;
        PRINTER_INFO_2W printer{};
        printer.pPrinterName = name_.data();
        printer.pPortName = const_cast<wchar_t*>(L"FILE:");
        printer.pDriverName = driver_.data();
        printer.pPrintProcessor = const_cast<wchar_t*>(L"WinPrint");
        printer.pDatatype = const_cast<wchar_t*>(L"RAW");
        const HANDLE added = AddPrinterW(nullptr, 2, reinterpret_cast<BYTE*>(&printer));
        if (added) ClosePrinter(added);
        added_ = added != nullptr;
    }
    ~FilePrinter() {
        Remove();
        if (!ppd_.empty()) DeleteFileW(ppd_.c_str());
        if (turn_) {
            ReleaseMutex(turn_);
            CloseHandle(turn_);
        }
    }
    FilePrinter(const FilePrinter&) = delete;
    FilePrinter& operator=(const FilePrinter&) = delete;
    bool Added() const { return added_; }
    const std::wstring& Name() const { return name_; }

private:
    void Remove() {
        HANDLE printer = nullptr;
        PRINTER_DEFAULTSW access{nullptr, nullptr, PRINTER_ALL_ACCESS};
        if (OpenPrinterW(name_.data(), &printer, &access)) {
            DeletePrinter(printer);
            ClosePrinter(printer);
        }
        DeletePrinterDriverW(nullptr, nullptr, driver_.data());
    }

    std::wstring name_, driver_, ppd_;
    HANDLE turn_;
    bool added_ = false;
};

// The pages of a PostScript file, counted from its own "%%Page:" comments.
inline int PostScriptPageCount(const std::string& postScript) {
    int pages = 0;
    for (std::size_t at = postScript.find("%%Page:"); at != std::string::npos; at = postScript.find("%%Page:", at + 1))
        if (at == 0 || postScript[at - 1] == '\n' || postScript[at - 1] == '\r') ++pages;
    return pages;
}

}  // namespace typorama::test
