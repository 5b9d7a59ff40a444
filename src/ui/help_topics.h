// Every page of the help the program opens by name (a topic) or by number (a
// context), in one list: the call sites take their names from here, and the
// help folders are checked against these lists so that no Help button leads
// to a missing page.
#pragma once

#include <windows.h>

namespace typorama::ui {

inline constexpr wchar_t kVariablesHelpTopic[] = L"Variables";                 // Run menu's command variables
inline constexpr wchar_t kCustomizeToolbarHelpTopic[] = L"Customize_Toolbar";  // toolbar and menus dialog
inline constexpr wchar_t kDuplicatesHelpTopic[] = L"Find_Duplicate_Fonts";     // duplicate finder
inline constexpr wchar_t kSaveImagesHelpTopic[] = L"Save_Images";              // image export dialog

inline constexpr DWORD kLoadProblemsHelpContext = 5000;  // fonts of a folder that could not be loaded
inline constexpr DWORD kFontsViewHelpContext = 5001;     // the fonts folder's "magic" view

inline constexpr const wchar_t* kHelpTopics[] = {kVariablesHelpTopic, kCustomizeToolbarHelpTopic,
                                                 kDuplicatesHelpTopic, kSaveImagesHelpTopic};
inline constexpr DWORD kHelpContexts[] = {kLoadProblemsHelpContext, kFontsViewHelpContext};

}  // namespace typorama::ui
