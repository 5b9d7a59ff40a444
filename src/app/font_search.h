// The searches over folders of font files (several folders at once, fonts that
// are not installed). They read the disk on a worker thread while the window's
// thread keeps serving messages and shows the counts with a Cancel button; the
// result is handed back on the window's thread, where the list is changed.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <stop_token>
#include <string>
#include <vector>

#include "app/multi_folders_dialog.h"
#include "base/search_progress.h"
#include "catalog/system_locations.h"

namespace typorama::app {

// The work of a search: runs on the worker thread, so it touches no window
// and nothing of the font list; returns early when `stop` is requested.
using SearchJob = std::function<std::vector<std::wstring>(std::stop_token stop, SearchProgress& progress)>;

// The font files of every entry (of its subfolders too when it says so),
// sorted, each path once whatever its letter case.
std::vector<std::wstring> FindFilesOfFolders(const std::vector<TFolderEntry>& entries, std::stop_token stop,
                                             SearchProgress& progress);
// The files of `folder` (of its subfolders too when asked) matching the
// ';'-separated `patterns`, in the order of the scan.
std::vector<std::wstring> FindFilesOfFolder(const std::wstring& folder, const std::wstring& patterns,
                                            bool includeSubfolders, std::stop_token stop, SearchProgress& progress);
// The font files of `folder` whose facts can be read and whose font has no
// installed-font entry pointing at that file, in the order of the scan.
std::vector<std::wstring> FindNotInstalledFiles(const std::wstring& folder, bool includeSubfolders,
                                                const catalog::SystemLocations& where, std::stop_token stop,
                                                SearchProgress& progress);

// Called on the window's thread each time the progress window has shown new
// counts (tests press Cancel through it).
using SearchProgressHook = std::function<void(HWND progressWindow, const SearchCounts& counts)>;

// Runs `job` on a worker thread. Meanwhile `owner` is disabled and a progress
// window captioned `caption` shows the counts (`readsFiles`: also the files
// read) with Cancel; messages keep being dispatched. Returns the job's files;
// nothing when the user cancelled (the work stops, its result is dropped) or
// when the job failed, which is reported here.
std::optional<std::vector<std::wstring>> RunSearch(HWND owner, const std::wstring& caption, bool readsFiles,
                                                   SearchJob job, const SearchProgressHook& hook = {});

}  // namespace typorama::app
