// The message routine answered by a script instead of the user.
#include "ui/message_box.h"

#include <gtest/gtest.h>

#include <vector>

#include "win/system_error.h"

namespace typorama::ui {
namespace {

struct Asked {
    std::wstring text;
    std::wstring caption;
    UINT flags = 0;
};

// Answers every box with `answer` and keeps what was asked; real boxes come back at the end.
class ScriptedAnswers {
public:
    explicit ScriptedAnswers(int answer) {
        SetMessageAnswerer([this, answer](const std::wstring& text, const std::wstring& caption, UINT flags) {
            asked.push_back({text, caption, flags});
            return answer;
        });
    }
    ~ScriptedAnswers() { SetMessageAnswerer({}); }
    std::vector<Asked> asked;
};

TEST(MessageBoxTest, BoxesAreTaskModalCaptionedTyporamaWithTheRightIconAndHelp) {
    ScriptedAnswers answers(IDCANCEL);
    EXPECT_EQ(ShowError(nullptr, L"错误"), IDCANCEL) << "the answer comes back to the caller";
    ShowInformation(nullptr, L"信息");
    ShowMessage(nullptr, L"帮助", MB_ICONWARNING | MB_OKCANCEL, 5000);
    ShowMessage(nullptr, L"无帮助", MB_ICONQUESTION | MB_YESNO);
    ASSERT_EQ(answers.asked.size(), 4u);

    for (const Asked& a : answers.asked) {
        EXPECT_EQ(a.caption, L"Typorama") << a.text;
        EXPECT_TRUE(a.flags & MB_TASKMODAL) << a.text;
    }
    EXPECT_EQ(answers.asked[0].text, L"错误");
    EXPECT_EQ(answers.asked[0].flags & (MB_ICONMASK | MB_TYPEMASK), UINT(MB_ICONERROR | MB_OK));
    EXPECT_FALSE(answers.asked[0].flags & MB_HELP) << "the shorthands have no help context";
    EXPECT_EQ(answers.asked[1].flags & (MB_ICONMASK | MB_TYPEMASK), UINT(MB_ICONINFORMATION | MB_OK));
    EXPECT_FALSE(answers.asked[1].flags & MB_HELP);
    EXPECT_TRUE(answers.asked[2].flags & MB_HELP) << "a help context adds the Help button";
    EXPECT_EQ(answers.asked[2].flags & MB_TYPEMASK, UINT(MB_OKCANCEL));
    EXPECT_FALSE(answers.asked[3].flags & MB_HELP);
    EXPECT_EQ(answers.asked[3].flags & MB_TYPEMASK, UINT(MB_YESNO));
}

TEST(MessageBoxTest, SystemErrorShowsTheSystemsTextForTheLastError) {
    const std::wstring notFound = win::SystemErrorText(ERROR_FILE_NOT_FOUND);
    const std::wstring denied = win::SystemErrorText(ERROR_ACCESS_DENIED);
    ASSERT_FALSE(notFound.empty());
    ASSERT_NE(notFound, denied);
    for (const std::wstring& text : {notFound, denied}) {
        EXPECT_NE(text.back(), L'\n') << "the system's line break is cut off";
        EXPECT_NE(text.back(), L'.') << "the pattern adds its own full stop";
    }
    EXPECT_EQ(win::SystemErrorText(0x20001234), L"") << "a code without text gives empty text";

    ScriptedAnswers answers(IDOK);
    ShowSystemError(nullptr, ERROR_FILE_NOT_FOUND);
    SetLastError(ERROR_ACCESS_DENIED);
    ShowSystemError(nullptr);
    ASSERT_EQ(answers.asked.size(), 2u);
    EXPECT_EQ(answers.asked[0].text, L"命令失败， 下列是错误信息:\r\n\r\n" + notFound + L".");
    EXPECT_EQ(answers.asked[1].text, L"命令失败， 下列是错误信息:\r\n\r\n" + denied + L".")
        << "without a code the thread's last error is shown";
    EXPECT_EQ(answers.asked[1].flags & (MB_ICONMASK | MB_TYPEMASK), UINT(MB_ICONERROR | MB_OK));
}

}  // namespace
}  // namespace typorama::ui
