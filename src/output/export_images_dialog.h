// TfrmExportBitmap, "保存 %d 字体的图像": saves one sample image per font,
// with a title line, colours, size, alignment and margins on three pages,
// a floating preview of the first font's image (TfrmPreviewImage) and a copy
// of it to the clipboard. Its values live in the settings subkey "SaveImage".
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "output/export_run.h"
#include "settings/settings_store.h"
#include "ui/dialog.h"
#include "ui/window_base.h"
#include "win/unique_handle.h"

namespace typorama::catalog {
class TFontListItem;
}

namespace typorama::output {

inline constexpr std::wstring_view kSaveImageKey = L"SaveImage";
inline constexpr std::wstring_view kSaveImageHistoryKey = L"SaveImage\\FolderHistory";
inline constexpr std::size_t kFolderHistoryCap = 10;

struct SaveImageSettings : ImageLook {
    std::wstring outputFolder;
    std::int32_t outputMode = 0;  // 0 beside the font files, 1 the other folder
    std::int32_t namingMode = 0;  // 0 the font file's name, 1 the font's name
    std::int32_t format = 0;      // ImageFormat
    std::int32_t previewLeft = 10, previewTop = 10;
    std::vector<std::wstring> history;  // of the other folder, most recent first

    // What "默认值" and every opening start from: the look's defaults, the
    // system's GUI font for the title; width, folder and history stay.
    void SetDefaults();
    ImagePlacement Placement() const;
};

// The saved values over `values` (a missing one keeps what `values` has).
void ReadSaveImageSettings(SaveImageSettings& values,
                           const settings::SettingsRoot& root = settings::ActiveSettingsRoot());
settings::WriteOutcome WriteSaveImageSettings(const SaveImageSettings& values,
                                              const settings::SettingsRoot& root = settings::ActiveSettingsRoot());
// The history after `folder` was used: at the top, once, at most ten entries.
void PutFolderFirst(std::vector<std::wstring>& history, const std::wstring& folder);

// The preview: a tool window showing an image 10 pixels in from its edges.
class TfrmPreviewImage : public ui::Window<TfrmPreviewImage> {
public:
    static constexpr const wchar_t* kClassName = L"TfrmPreviewImage";
    static void DescribeClass(WNDCLASSEXW& wc);

    bool Create(HWND owner, POINT at);
    void Show(RenderedImage image);
    void Destroy();
    HWND Handle() const { return window_; }
    const RenderedImage& Image() const { return image_; }
    std::function<void()> OnClosed;  // the user closed it
    // Told where the window was as it goes, however it goes (an owner that
    // ends destroys it before its own WM_DESTROY).
    std::function<void(POINT topLeft)> OnGone;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    RenderedImage image_;
};

class TfrmExportBitmap : public ui::Dialog {
public:
    TfrmExportBitmap(std::vector<catalog::TFontListItem*> fonts, std::wstring fontsFolder,
                     settings::SettingsRoot root = settings::ActiveSettingsRoot());
    ~TfrmExportBitmap() override;

    // Makes a font drawable before it is rendered (the list's loading).
    std::function<void(catalog::TFontListItem&)> Prepare;
    // Called after each image of a run, with the number done (tests press
    // the progress window's Cancel there).
    std::function<void(int done)> OnImageDone;
    // The folder picker of the "..." button.
    std::function<bool(HWND owner, std::wstring& folder)> BrowseFolder;

    void TogglePreview();
    TfrmPreviewImage& Preview() { return preview_; }
    const ExportOutcome& LastRun() const { return lastRun_; }
    const SaveImageSettings& Values() const { return values_; }
    RenderedImage RenderFirst();
    void CopyToClipboard();
    void Save();

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void ShowPage(int page);
    void FillControls();
    void ReadControls();
    void Changed();
    void UpdateWidthField();
    void ShowTitleFont();
    void ChooseTitleFont();
    void ApplyTitleFont(const LOGFONTW& font, COLORREF color);
    void DrawColorButton(const DRAWITEMSTRUCT& item);
    void PickColor(int id, bool reset);
    void ClosePreview();
    int SpinValue(int id) const;
    static UINT_PTR CALLBACK FontDialogHook(HWND hook, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK ColorButtonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                            DWORD_PTR self);

    std::vector<catalog::TFontListItem*> fonts_;
    std::wstring fontsFolder_;
    settings::SettingsRoot root_;
    SaveImageSettings values_;
    TfrmPreviewImage preview_;
    ExportOutcome lastRun_;
    bool ready_ = false;
};

}  // namespace typorama::output
