#include "app/font_search.h"

#include <atomic>
#include <exception>
#include <set>
#include <thread>

#include "app/progress_window.h"
#include "catalog/font_facts_cache.h"
#include "catalog/font_file.h"
#include "catalog/font_registry.h"
#include "catalog/font_scan.h"
#include "ui/message_box.h"
#include "ui/resource.h"
#include "win/resource_strings.h"
#include "win/scope_exit.h"
#include "win/text_compare.h"
#include "win/wide.h"

namespace typorama::app {
namespace {

// Posted by the worker to the progress window: new counts, and the end.
constexpr UINT kSearchNotice = WM_APP + 0x240;
constexpr UINT kSearchDone = WM_APP + 0x241;

// What the worker hands back; read on the window's thread after the join.
struct WorkerOutcome {
    std::vector<std::wstring> files;
    bool failed = false;
    std::wstring failure;  // the exception's text, when it had one
};

// The progress window of a search: shows the counts the worker reports and
// notes the worker's end, which arrives after every notice posted before it.
// Counts are shown at most every kShowInterval: until then a notice waits
// untaken, and the worker, seeing one pending, posts no more. Showing every
// change halved the speed of a search over 10,000 files under Wine.
class SearchProgressWindow : public TfrmProgress {
public:
    SearchProgressWindow(const std::wstring& caption, bool readsFiles, const SearchProgressHook& hook)
        : TfrmProgress(caption), readsFiles_(readsFiles), hook_(hook) {}

    void Attach(SearchProgress& progress) { progress_ = &progress; }
    bool WorkerEnded() const { return workerEnded_; }

protected:
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
        switch (message) {
            case kSearchDone:
                workerEnded_ = true;
                return true;
            case kSearchNotice:
                if (resting_) {
                    noticeWaiting_ = true;
                } else {
                    ShowCounts();
                }
                return true;
            case WM_TIMER:
                if (wParam != kRestTimer) break;
                KillTimer(Handle(), kRestTimer);
                resting_ = false;
                if (noticeWaiting_) ShowCounts();
                return true;
            default:
                break;
        }
        return TfrmProgress::HandleMessage(message, wParam, lParam, result);
    }

private:
    static constexpr UINT_PTR kRestTimer = 1;
    static constexpr UINT kShowInterval = 100;  // milliseconds

    void ShowCounts() {
        noticeWaiting_ = false;
        if (!progress_) return;
        const SearchCounts counts = progress_->Take();
        const auto number = [](std::size_t n) { return static_cast<double>(n); };
        std::wstring read;
        if (readsFiles_ && counts.scanned)
            read = win::FormatRes(IDS_BROWSE_PROGRESS_READ, {number(counts.read), number(counts.found)});
        SetLines(win::FormatRes(IDS_BROWSE_PROGRESS_FOUND, {number(counts.found)}), read);
        SetBar(counts.read, readsFiles_ && counts.scanned ? counts.found : 0);
        resting_ = SetTimer(Handle(), kRestTimer, kShowInterval, nullptr) != 0;
        if (hook_) hook_(Handle(), counts);
    }

    bool readsFiles_;
    const SearchProgressHook& hook_;
    SearchProgress* progress_ = nullptr;
    bool workerEnded_ = false;
    bool resting_ = false;        // counts were shown less than kShowInterval ago
    bool noticeWaiting_ = false;  // a notice came meanwhile
};

}  // namespace

std::vector<std::wstring> FindFilesOfFolders(const std::vector<TFolderEntry>& entries, std::stop_token stop,
                                             SearchProgress& progress) {
    std::set<std::wstring, win::LessNoCase> found;  // file paths, one of each
    for (const TFolderEntry& entry : entries) {
        if (stop.stop_requested()) return {};
        std::vector<std::wstring> files;
        const std::size_t before = found.size();
        catalog::FindFontFiles(entry.folder, catalog::kFontFilePatterns, entry.includeSubfolders, files,
                               [&](std::size_t listed) {
                                   progress.SetFound(before + listed);
                                   return !stop.stop_requested();
                               });
        found.insert(files.begin(), files.end());
    }
    progress.SetFound(found.size());
    progress.EndScan();
    return std::vector<std::wstring>(found.begin(), found.end());
}

std::vector<std::wstring> FindFilesOfFolder(const std::wstring& folder, const std::wstring& patterns,
                                            bool includeSubfolders, std::stop_token stop, SearchProgress& progress) {
    std::vector<std::wstring> files;
    catalog::FindFontFiles(folder, patterns, includeSubfolders, files, [&](std::size_t listed) {
        progress.SetFound(listed);
        return !stop.stop_requested();
    });
    progress.EndScan();
    return files;
}

std::vector<std::wstring> FindNotInstalledFiles(const std::wstring& folder, bool includeSubfolders,
                                                const catalog::SystemLocations& where, std::stop_token stop,
                                                SearchProgress& progress) {
    std::vector<std::wstring> files;
    std::vector<catalog::FileStamp> stamps;
    catalog::FindFontFiles(
        folder, catalog::kFontFilePatterns, includeSubfolders, files,
        [&](std::size_t listed) {
            progress.SetFound(listed);
            return !stop.stop_requested();
        },
        &stamps);
    progress.EndScan();
    std::vector<std::wstring> kept;
    catalog::FontFactsCache& cache = catalog::FactsCache();
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (stop.stop_requested()) return {};
        // Both only read the file and the registry: safe on any thread. The
        // facts stay in the cache for the listing of the files found.
        auto info = cache.Read(files[i], stamps[i], where.systemLanguageId);
        if (info && !catalog::IsInstalled(info->FullName, files[i], where)) kept.push_back(files[i]);
        progress.AddRead();
    }
    return kept;
}

std::optional<std::vector<std::wstring>> RunSearch(HWND owner, const std::wstring& caption, bool readsFiles,
                                                   SearchJob job, const SearchProgressHook& hook) {
    SearchProgressWindow window(caption, readsFiles, hook);
    EnableWindow(owner, FALSE);
    // The window must come back whatever goes wrong.
    const win::ScopeExit enable([owner] { EnableWindow(owner, TRUE); });
    window.Show(owner);
    if (!window.Handle()) {
        ui::ShowSystemError(owner);
        return std::nullopt;
    }
    const HWND progressWindow = window.Handle();

    SearchProgress progress([progressWindow] { return PostMessageW(progressWindow, kSearchNotice, 0, 0) != FALSE; });
    window.Attach(progress);
    WorkerOutcome outcome;
    std::atomic<bool> doneLost{false};
    bool quit = false;
    WPARAM quitCode = 0;
    {
        // Declared after everything it uses, so that it is joined before they go.
        std::jthread worker;
        try {
            worker = std::jthread([&](std::stop_token stop) {
                try {
                    outcome.files = job(stop, progress);
                } catch (const std::exception& error) {
                    outcome.failed = true;
                    outcome.failure = win::AnsiToWide(error.what());
                } catch (...) {
                    outcome.failed = true;
                }
                if (!PostMessageW(progressWindow, kSearchDone, 0, 0)) doneLost = true;
            });
        } catch (const std::exception& error) {  // no thread could be made
            outcome.failed = true;
            outcome.failure = win::AnsiToWide(error.what());
        }
        window.OnCancel = [&worker] { worker.request_stop(); };

        while (worker.joinable() && !window.WorkerEnded() && !doneLost && !quit) {
            MsgWaitForMultipleObjectsEx(0, nullptr, 100, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
            MSG message;
            while (!quit && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
                if (message.message == WM_QUIT) {
                    quit = true;
                    quitCode = message.wParam;
                } else if (!IsDialogMessageW(progressWindow, &message)) {
                    TranslateMessage(&message);
                    DispatchMessageW(&message);
                }
            }
        }
        window.OnCancel = nullptr;
        if (quit) worker.request_stop();
    }
    // The owner is enabled before the progress window goes, so that the
    // activation returns to it and not to another program's window.
    EnableWindow(owner, TRUE);
    window.End(IDCANCEL);
    // The program is ending: the quit goes on to the outer loop.
    if (quit) PostQuitMessage(static_cast<int>(quitCode));
    if (quit || window.CancelRequested()) return std::nullopt;
    if (outcome.failed) {
        ui::ShowError(owner, win::FormatRes(IDS_BROWSE_SEARCH_FAILED, {win::AsU16(outcome.failure)}));
        return std::nullopt;
    }
    return std::move(outcome.files);
}

}  // namespace typorama::app
