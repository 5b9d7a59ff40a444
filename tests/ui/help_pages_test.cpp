// The help pages the build installs beside the program against the pages the
// program opens: every topic and context in both languages, reachable from
// the contents, and no page linking to one that is not there.
#include "ui/help_topics.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "support/scratch.h"
#include "win/folders.h"
#include "win/unique_handle.h"

namespace typorama::ui {
namespace {

// The pages of the same folder a page links to (web addresses and links
// within the page left out), without their #fragments.
std::set<std::wstring> LocalLinks(const std::string& html) {
    std::set<std::wstring> links;
    constexpr std::string_view kHref = "href=\"";
    for (std::size_t at = html.find(kHref); at != std::string::npos; at = html.find(kHref, at)) {
        at += kHref.size();
        const std::size_t end = html.find('"', at);
        if (end == std::string::npos) break;
        std::string target = html.substr(at, end - at);
        target = target.substr(0, target.find('#'));
        if (!target.empty() && target.find(':') == std::string::npos) links.insert(std::wstring(target.begin(), target.end()));
    }
    return links;
}

TEST(HelpPagesTest, EveryPageTheProgramOpensIsThereInBothLanguages) {
    std::set<std::wstring> pages{L"index.html"};
    for (const wchar_t* topic : kHelpTopics) pages.insert(std::wstring(topic) + L".html");
    for (DWORD context : kHelpContexts) pages.insert(std::to_wstring(context) + L".html");

    for (const wchar_t* language : {L"zh-CN", L"en"}) {
        const std::wstring folder = test::ProgramFolder() + L"help\\" + language + L"\\";
        for (const std::wstring& page : pages) EXPECT_TRUE(win::IsFile(folder + page)) << "missing: " << folder << page;

        const std::set<std::wstring> contents = LocalLinks(test::ReadFileBytes(folder + L"index.html"));
        for (const std::wstring& page : pages) {
            if (page == L"index.html") continue;
            EXPECT_TRUE(contents.count(page)) << language << ": the contents do not lead to " << page;
        }

        WIN32_FIND_DATAW found{};
        const win::UniqueFind find(FindFirstFileW((folder + L"*.html").c_str(), &found));
        ASSERT_TRUE(find) << folder;
        do {
            for (const std::wstring& link : LocalLinks(test::ReadFileBytes(folder + found.cFileName)))
                EXPECT_TRUE(win::IsFile(folder + link)) << folder << found.cFileName << " links to a missing " << link;
        } while (FindNextFileW(find.get(), &found));
    }
}

}  // namespace
}  // namespace typorama::ui
