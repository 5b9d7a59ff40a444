// The program's help: HTML pages in the "help" folder beside the program, one
// folder per interface language ("zh-CN", "en"), opened in the user's
// browser. A help context number n is the page "<n>.html", a topic name the
// page "<name>.html", the contents "index.html"; a page missing in English is
// taken from the Chinese folder.
#pragma once

#include <windows.h>

#include <string>

namespace typorama::ui {

// The folder of the help pages (with a trailing backslash); the main window
// sets it to <program folder>\help\ at start.
void SetHelpFolder(std::wstring folder);
const std::wstring& HelpFolder();

// The file of each kind of page below the help folder, in the language's folder.
std::wstring HelpContextFile(DWORD context);
std::wstring HelpTopicFile(const std::wstring& topic);
std::wstring HelpContentsFile();

// Open a page in the browser. A page that does not exist, or that the shell
// cannot open, is reported with a message; context 0 asks for nothing.
// True when the page was opened.
bool ShowHelpContext(HWND owner, DWORD context);
bool ShowHelpTopic(HWND owner, const std::wstring& topic);
bool ShowHelpContents(HWND owner);

}  // namespace typorama::ui
