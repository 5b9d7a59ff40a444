#include "ui/help.h"

#include "ui/message_box.h"
#include "ui/resource.h"
#include "ui/shell_open.h"
#include "ui/ui_language.h"
#include "win/folders.h"
#include "win/resource_strings.h"
#include "win/wide.h"

namespace typorama::ui {
namespace {

std::wstring& Folder() {
    static std::wstring folder;
    return folder;
}

bool OpenPage(HWND owner, const std::wstring& file) {
    if (Folder().empty() || !win::IsFile(file)) {
        ShowError(owner, win::FormatRes(IDS_HELP_PAGE_MISSING, {win::AsU16(file)}));
        return false;
    }
    if (ShellOpen(owner, file)) return true;
    ShowError(owner, win::FormatRes(IDS_HELP_PAGE_NOT_OPENED, {win::AsU16(file)}));
    return false;
}

// A page in the interface language's folder; the Chinese page when that
// language has no such page (the Chinese pages are complete).
std::wstring PageFile(const std::wstring& name) {
    const std::wstring chosen = Folder() + LanguageFolderName(CurrentUiLanguage()) + L"\\" + name;
    if (CurrentUiLanguage() == UiLanguage::Chinese || win::IsFile(chosen)) return chosen;
    const std::wstring chinese = Folder() + LanguageFolderName(UiLanguage::Chinese) + L"\\" + name;
    return win::IsFile(chinese) ? chinese : chosen;
}

}  // namespace

void SetHelpFolder(std::wstring folder) {
    if (!folder.empty() && folder.back() != L'\\' && folder.back() != L'/') folder += L'\\';
    Folder() = std::move(folder);
}

const std::wstring& HelpFolder() { return Folder(); }

std::wstring HelpContextFile(DWORD context) { return PageFile(std::to_wstring(context) + L".html"); }

std::wstring HelpTopicFile(const std::wstring& topic) { return PageFile(topic + L".html"); }

std::wstring HelpContentsFile() { return PageFile(L"index.html"); }

bool ShowHelpContext(HWND owner, DWORD context) {
    if (context == 0) return false;  // no page was meant
    return OpenPage(owner, HelpContextFile(context));
}

bool ShowHelpTopic(HWND owner, const std::wstring& topic) {
    // A topic is a page name, never a path.
    if (topic.empty() || topic.find_first_of(L"\\/:") != std::wstring::npos) {
        ShowError(owner, win::FormatRes(IDS_HELP_PAGE_MISSING, {win::AsU16(HelpTopicFile(topic))}));
        return false;
    }
    return OpenPage(owner, HelpTopicFile(topic));
}

bool ShowHelpContents(HWND owner) { return OpenPage(owner, HelpContentsFile()); }

}  // namespace typorama::ui
