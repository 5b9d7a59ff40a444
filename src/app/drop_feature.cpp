#include "app/drop_feature.h"

#include <shellapi.h>
#include <shlobj.h>
#include <windowsx.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <new>

#include "app/browsing.h"
#include "app/main_window.h"
#include "app/single_instance.h"
#include "base/dropped_files.h"
#include "catalog/font_scan.h"
#include "ui/resource.h"
#include "ui/window_base.h"
#include "win/folders.h"
#include "win/resource_strings.h"
#include "win/text_compare.h"
#include "win/unique_handle.h"
#include "win/wide.h"

namespace typorama::app {
namespace {

// Starts that come together (Explorer makes one for each of several files
// opened at once) hand over one file each: their files open as one list once
// no start has handed over for this long.
constexpr UINT kHandedPauseMs = 300;
constexpr UINT_PTR kHandedTimer = 0x6401;

PathKind KindOf(const std::wstring& path) {
    // Only full paths are looked at: a relative one would depend on this
    // program's current folder, not on where the user dropped it from.
    if (!IsHandedPath(win::AsU16(path))) return PathKind::Missing;
    if (win::IsFolder(path)) return PathKind::Folder;
    return win::IsFile(path) ? PathKind::File : PathKind::Missing;
}

FORMATETC FileDropFormat() { return FORMATETC{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}; }

bool IsFileDropFormat(const FORMATETC* format) {
    return format && format->cfFormat == CF_HDROP && format->dwAspect == DVASPECT_CONTENT &&
           (format->tymed & TYMED_HGLOBAL) != 0;
}

// The tagged fonts' files as the shell's drop targets read them. The block is
// copied for each reader: a reader frees what it gets.
class FileDataObject final : public IDataObject {
public:
    explicit FileDataObject(HGLOBAL drop) : drop_(drop) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IDataObject) {
            *out = static_cast<IDataObject*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (left == 0) delete this;
        return left;
    }

    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override {
        if (!medium) return E_POINTER;
        if (!IsFileDropFormat(format)) return DV_E_FORMATETC;
        const win::LockedGlobal source(drop_.get());
        if (!source.get()) return E_OUTOFMEMORY;
        const HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, source.size());
        if (!copy) return E_OUTOFMEMORY;
        {
            const win::LockedGlobal target(copy);
            if (!target.get()) {
                GlobalFree(copy);
                return E_OUTOFMEMORY;
            }
            std::memcpy(target.get(), source.get(), source.size());
        }
        medium->tymed = TYMED_HGLOBAL;
        medium->hGlobal = copy;
        medium->pUnkForRelease = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override {
        return IsFileDropFormat(format) ? S_OK : DV_E_FORMATETC;
    }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
        if (out) out->ptd = nullptr;
        return DATA_S_SAMEFORMATETC;
    }
    // Targets may offer what they did ("Performed DropEffect"); nothing here needs it.
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (direction != DATADIR_GET) return E_NOTIMPL;
        FORMATETC format = FileDropFormat();
        return SHCreateStdEnumFmtEtc(1, &format, out);
    }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
        return OLE_E_ADVISENOTSUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

private:
    ~FileDataObject() = default;
    win::UniqueGlobal drop_;
    std::atomic<ULONG> references_{1};
};

// The list as the source of the drag: it ends with the left button, Esc cancels.
class ListDropSource final : public IDropSource {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IDropSource) {
            *out = static_cast<IDropSource*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    // Lives on the stack of the drag; the system's references end with DoDragDrop.
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escapePressed, DWORD keys) override {
        if (escapePressed) return DRAGDROP_S_CANCEL;
        if (!(keys & MK_LBUTTON)) return DRAGDROP_S_DROP;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }
};

}  // namespace

void DragWithSystem(IDataObject* data) {
    // Dragging needs OLE on this thread; it counts its initialisations.
    const bool ole = SUCCEEDED(OleInitialize(nullptr));
    ListDropSource source;
    DWORD effect = DROPEFFECT_NONE;
    DoDragDrop(data, &source, DROPEFFECT_COPY, &effect);
    if (ole) OleUninitialize();
}

HGLOBAL MakeFileDrop(const std::vector<std::wstring>& files) {
    std::size_t chars = 1;  // the closing NUL
    for (const std::wstring& file : files) chars += file.size() + 1;
    const SIZE_T bytes = sizeof(DROPFILES) + chars * sizeof(wchar_t);
    win::UniqueGlobal memory(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes));
    if (!memory) return nullptr;
    {
        const win::LockedGlobal locked(memory.get());
        if (!locked.get()) return nullptr;
        auto* header = static_cast<DROPFILES*>(locked.get());
        header->pFiles = sizeof(DROPFILES);
        header->fWide = TRUE;
        auto* names = reinterpret_cast<wchar_t*>(static_cast<BYTE*>(locked.get()) + sizeof(DROPFILES));
        for (const std::wstring& file : files) {
            std::memcpy(names, file.c_str(), (file.size() + 1) * sizeof(wchar_t));
            names += file.size() + 1;
        }
    }
    return memory.release();
}

std::vector<std::wstring> FilesOfDrop(HDROP drop) {
    std::vector<std::wstring> files;
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        const UINT length = DragQueryFileW(drop, i, nullptr, 0);
        if (length == 0) continue;
        std::wstring file(length + 1, L'\0');
        file.resize(DragQueryFileW(drop, i, file.data(), length + 1));
        if (!file.empty()) files.push_back(std::move(file));
    }
    return files;
}

IDataObject* MakeFileDataObject(const std::vector<std::wstring>& files) {
    const HGLOBAL drop = MakeFileDrop(files);
    if (!drop) return nullptr;
    auto* data = new (std::nothrow) FileDataObject(drop);
    if (!data) GlobalFree(drop);
    return data;
}

DropFeature::DropFeature(TfrmMain& host) : host_(host) {
    // Accepted by the whole window: a drop on the list, the tree or the
    // status bar reaches the main window, the nearest that accepts files.
    DragAcceptFiles(host.Handle(), TRUE);
    host.AddMessageHandler([this](UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
        switch (message) {
            case WM_DROPFILES: {
                const HDROP drop = reinterpret_cast<HDROP>(wParam);
                const std::vector<std::wstring> files = FilesOfDrop(drop);
                DragFinish(drop);
                // Our own fonts dropped back on the window are not a new
                // source (the drop may come while the drag ends or just after).
                const bool ownDrag = draggingOut_ || (files == draggedFiles_ && GetTickCount64() - dragEnded_ < 2000);
                // A dialog or a run holds the window and the fonts of its list.
                if (!IsWindowEnabled(host_.Handle()))
                    MessageBeep(MB_ICONEXCLAMATION);
                else if (!ownDrag)
                    Open(files);
                result = 0;
                return true;
            }
            case WM_COPYDATA: {
                const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
                if (!data || data->dwData != kHandedFilesTag) return false;
                const auto files = DecodeHandedFiles(data->lpData, data->cbData);
                // What waits is bounded: a start refused here opens a window of its own.
                const bool taken = files && handed_.size() + files->size() <= kMaxHandedFiles;
                result = taken ? TRUE : FALSE;
                if (taken) {
                    for (const std::u16string& file : *files) handed_.push_back(win::ToWide(file));
                    // Answered at once: the list opens after the sender has its
                    // answer, so a question about tags never holds it up.
                    SetTimer(host_.Handle(), kHandedTimer, kHandedPauseMs, nullptr);
                }
                return true;
            }
            case WM_TIMER:
                if (wParam != kHandedTimer) return false;
                KillTimer(host_.Handle(), kHandedTimer);
                OpenHanded();
                result = 0;
                return true;
            case WM_ENABLE:
                if (wParam && !handed_.empty()) SetTimer(host_.Handle(), kHandedTimer, kHandedPauseMs, nullptr);
                return false;
            default:
                return false;
        }
    });
    host.OpenStartArguments = [this](const std::vector<std::wstring>& arguments) { return Open(arguments); };
    host.FileListTitle = [this] {
        const catalog::TFontList& fonts = host_.FontList();
        if (shownFiles_.empty() || fonts.Files != shownFiles_) return std::wstring();
        return win::FormatRes(IDS_DROP_TITLE, {static_cast<std::int64_t>(shownFiles_.size())});
    };
    ui::ThVirtualListBox& list = host.ListBox();
    list.OnMessage = [this, previous = std::move(list.OnMessage)](UINT message, WPARAM wParam, LPARAM lParam,
                                                                    LRESULT& result) {
        const bool answered = previous && previous(message, wParam, lParam, result);
        if (ListMessage(message, wParam, lParam)) {
            result = 0;
            return true;
        }
        return answered;
    };
}

void DropFeature::OpenHanded() {
    // While a dialog or a run holds the window (and pointers into its list),
    // the files wait until it is free again.
    if (handed_.empty() || !IsWindowEnabled(host_.Handle())) return;
    const std::vector<std::wstring> files = std::move(handed_);
    handed_.clear();
    Open(files);
}

bool DropFeature::Open(const std::vector<std::wstring>& paths) {
    Browsing* browsing = host_.Feature<Browsing>();
    if (!browsing) return false;
    std::vector<HandedPath> handed;
    handed.reserve(paths.size());
    for (const std::wstring& path : paths) handed.push_back({std::u16string(win::AsU16(path)), KindOf(path)});
    const DropPlan plan = PlanDrop(handed, win::AsU16(catalog::kFontFilePatterns));

    bool shown = false;
    if (!plan.fontFiles.empty()) {
        if (host_.ConfirmDiscardTags()) {
            std::vector<std::wstring> files;
            files.reserve(plan.fontFiles.size());
            for (const std::u16string& file : plan.fontFiles) files.push_back(win::ToWide(file));
            shownFiles_ = files;
            browsing->ShowSearchResults(std::move(files));
            shown = true;
        }
    } else if (!plan.folder.empty()) {
        shown = browsing->OpenFolder(win::ToWide(plan.folder), false, true);
    }
    // After the rebuild, which empties the message slot; not when the user
    // kept the tags and nothing happened.
    const bool nothingToOpen = plan.fontFiles.empty() && plan.folder.empty();
    if (plan.ignored > 0 && (shown || nothingToOpen))
        host_.SetStatusText(StatusPanel::Message, win::FormatRes(IDS_DROP_IGNORED, {static_cast<std::int64_t>(plan.ignored)}));
    if (nothingToOpen) host_.Beep();
    host_.UpdateCommandStates();
    return shown;
}

std::vector<std::wstring> DropFeature::TaggedFiles() const {
    std::vector<std::wstring> files;
    catalog::TFontList& fonts = host_.FontList();
    for (int i = 0; i < fonts.Count(); ++i) {
        if (!fonts[i].Tagged) continue;
        const std::wstring& file = fonts[i].FileName();
        if (file.empty() || !win::IsFile(file)) continue;
        bool listed = false;  // the faces of a collection share their file
        for (const std::wstring& other : files) listed = listed || win::EqualNoCase(other, file);
        if (!listed) files.push_back(file);
    }
    return files;
}

bool DropFeature::ListMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (message) {
        case WM_LBUTTONDOWN: {
            // After the list's own handling, which may have just tagged the row.
            const int row = host_.ListBox().ItemAtPos(point, true);
            const catalog::TFontListItem* item = host_.FontList().Item(row);
            pressedRow_ = item && item->Tagged ? row : -1;
            pressedAt_ = point;
            return false;
        }
        case WM_MOUSEMOVE: {
            if (pressedRow_ < 0 || !(wParam & MK_LBUTTON)) return false;
            const int dx = GetSystemMetrics(SM_CXDRAG), dy = GetSystemMetrics(SM_CYDRAG);
            if (std::abs(point.x - pressedAt_.x) <= dx && std::abs(point.y - pressedAt_.y) <= dy) return false;
            pressedRow_ = -1;
            DragOut();
            return true;
        }
        case WM_LBUTTONUP:
        case WM_CAPTURECHANGED:
            pressedRow_ = -1;
            return false;
        default:
            return false;
    }
}

void DropFeature::DragOut() {
    const std::vector<std::wstring> files = TaggedFiles();
    if (files.empty()) return;
    // The list stops following the mouse: the drag has it now.
    if (GetCapture() == host_.ListBox().Hwnd()) ReleaseCapture();
    IDataObject* data = MakeFileDataObject(files);
    if (!data) return;
    draggedFiles_ = files;
    draggingOut_ = true;
    if (RunDrag) RunDrag(data);
    draggingOut_ = false;
    dragEnded_ = GetTickCount64();
    data->Release();
}

}  // namespace typorama::app
