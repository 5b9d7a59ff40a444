#include "output/export_run.h"

#include "catalog/font_list.h"
#include "win/folders.h"
#include "win/text_compare.h"
#include "win/wide.h"

namespace typorama::output {

ExportOutcome RunImageExport(std::span<catalog::TFontListItem* const> fonts, const ExportJob& job,
                             const ExportHooks& hooks) {
    ExportOutcome outcome;
    ImagePathClaims claims(win::UpperNoCase);
    int done = 0;
    for (catalog::TFontListItem* font : fonts) {
        if (hooks.cancelRequested && hooks.cancelRequested()) {
            outcome.cancelled = true;
            break;
        }
        if (hooks.prepare) hooks.prepare(*font);
        const RenderedImage image = RenderFontImage(*font, job.look, job.fontsFolder);
        const std::wstring& file = font->FileName();
        const std::wstring existing = !file.empty() && win::IsFile(file) ? file : std::wstring();
        const std::u16string planned = ImagePath(win::AsU16(font->Name), win::AsU16(existing), job.placement);
        const std::u16string claimed = claims.Claim(planned);
        const std::wstring path(claimed.begin(), claimed.end());
        bool abort = false;
        for (;;) {
            DWORD error = ERROR_SUCCESS;
            if (SaveImageFile(image, path, job.placement.format, &error)) {
                ++outcome.saved;
                outcome.written.push_back({font, path, image.width, image.height});
                break;
            }
            const SaveFailureAnswer answer = hooks.saveFailed ? hooks.saveFailed(path, error) : SaveFailureAnswer::Ignore;
            if (answer == SaveFailureAnswer::Retry) continue;
            abort = answer == SaveFailureAnswer::Abort;
            break;
        }
        if (hooks.advanced) hooks.advanced(++done);
        if (abort) break;
    }
    outcome.renumbered = claims.Renumbered();
    return outcome;
}

}  // namespace typorama::output
