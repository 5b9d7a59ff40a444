// typorama-cli image: the image export's picture of each font, rendered by
// the same routine as the dialog's, saved as .bmp or .png.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "catalog/font_list.h"
#include "cli/cli.h"
#include "cli/json_text.h"
#include "output/export_run.h"
#include "win/folders.h"
#include "win/text_compare.h"
#include "win/wide.h"

namespace typorama::cli {
namespace {

struct ImageArgs {
    output::ExportJob job;
    std::vector<std::wstring> paths;
};

// "\n" typed on a command line stands for a line break of the sample text.
std::wstring WithLineBreaks(const std::wstring& text) {
    std::wstring out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'\\' && i + 1 < text.size() && text[i + 1] == L'n') {
            out += L"\r\n";
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::optional<ImageArgs> ParseImageArgs(const std::vector<std::wstring>& args, Output& err) {
    ImageArgs run;
    output::ImageLook& look = run.job.look;
    output::ImagePlacement& placement = run.job.placement;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::wstring& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == L"--text" && hasValue) {
            look.sampleText = WithLineBreaks(args[++i]);
        } else if (a == L"--title" && hasValue) {
            look.title = args[++i];
        } else if ((a == L"--size" || a == L"--width") && hasValue) {
            const bool size = a == L"--size";
            const std::optional<long> value = ParseNumber(args[++i], size ? 999 : 1000);
            if (!value || *value < (size ? 10 : 50)) {
                err.Write(size ? "typorama-cli image: --size wants a pixel height from 10 to 999\n"
                               : "typorama-cli image: --width wants a pixel width from 50 to 1000\n");
                return std::nullopt;
            }
            if (size) {
                look.fontSize = static_cast<std::int32_t>(*value);
            } else {
                look.width = static_cast<std::int32_t>(*value);
                look.autoWidth = false;
            }
        } else if (a == L"--format" && hasValue) {
            const std::wstring& format = args[++i];
            if (format != L"bmp" && format != L"png") {
                err.Write("typorama-cli image: --format is bmp or png\n");
                return std::nullopt;
            }
            placement.format = format == L"png" ? output::ImageFormat::Png : output::ImageFormat::Bmp;
        } else if (a == L"--out" && hasValue) {
            const std::wstring& folder = args[++i];
            if (!win::IsFolder(folder)) {
                err.Write(L"typorama-cli image: no folder '" + folder + L"'\n");
                return std::nullopt;
            }
            placement.otherFolder = true;
            placement.folder.assign(folder.begin(), folder.end());
        } else if (a.rfind(L"--", 0) == 0) {
            err.Write(L"typorama-cli image: unknown option or missing value '" + a + L"'\n");
            return std::nullopt;
        } else {
            run.paths.push_back(a);
        }
    }
    if (run.paths.empty()) {
        err.Write("typorama-cli image: give at least one font file or folder (see --help)\n");
        return std::nullopt;
    }
    return run;
}

}  // namespace

int RunImage(const std::vector<std::wstring>& args, Output& out, Output& err) {
    std::optional<ImageArgs> run = ParseImageArgs(args, err);
    if (!run) return kExitUsage;
    catalog::TFontList list;
    list.SetSourceKind(catalog::SourceKind::FileList);
    list.Files = ExpandFontPaths(run->paths, false);
    list.Rebuild(false);
    run->job.fontsFolder = catalog::Locations().fontsFolder;

    int failures = 0;
    // Files the list could not read give no font and no image.
    for (const std::wstring& file : list.Files) {
        bool found = false;
        for (int i = 0; i < list.Count() && !found; ++i) found = win::EqualNoCase(list[i].FileName(), file);
        if (!found) {
            err.Write(L"typorama-cli image: '" + file + L"' holds no font that could be read\n");
            ++failures;
        }
    }

    std::vector<catalog::TFontListItem*> fonts;
    for (int i = 0; i < list.Count(); ++i) fonts.push_back(&list[i]);
    output::ExportHooks hooks;
    hooks.prepare = [&list](catalog::TFontListItem& font) { list.PrepareToDraw(font); };
    hooks.saveFailed = [&](const std::wstring& path, DWORD error) {
        err.Write(L"typorama-cli image: cannot write '" + path + L"' (error " + std::to_wstring(error) + L")\n");
        ++failures;
        return output::SaveFailureAnswer::Ignore;
    };
    const output::ExportOutcome outcome = output::RunImageExport(fonts, run->job, hooks);
    for (const output::ExportedImage& image : outcome.written) {
        JsonLine line;
        line.Add("file", win::AsU16(image.font->FileName()))
            .Add("image", win::AsU16(image.path))
            .Add("width", image.width)
            .Add("height", image.height);
        out.Write(line.Finish());
    }
    return failures > 0 ? kExitSomeFailed : kExitOk;
}

}  // namespace typorama::cli
