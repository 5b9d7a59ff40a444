#include "output/image_naming.h"

#include <utility>

#include "base/file_name_rules.h"
#include "settings/command_variables.h"

namespace typorama::output {
namespace {

std::u16string Folded(std::u16string_view path) {
    std::u16string folded(path);
    for (char16_t& c : folded)
        if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
    return folded;
}

// The file's name with its extension replaced ("courbi.ttf" -> "courbi.bmp").
std::u16string ReplacedExtension(std::u16string_view fileName, std::u16string_view extension) {
    std::size_t dot = fileName.rfind(u'.');
    if (dot == std::u16string_view::npos || dot == 0) dot = fileName.size();
    return std::u16string(fileName.substr(0, dot)) + std::u16string(extension);
}

std::u16string Number(int n) {
    std::u16string digits;
    for (const char c : std::to_string(n)) digits += static_cast<char16_t>(c);
    return digits;
}

}  // namespace

std::u16string_view ImageExtension(ImageFormat format) { return format == ImageFormat::Png ? u".png" : u".bmp"; }

std::u16string ImagePath(std::u16string_view fontName, std::u16string_view fontFile, const ImagePlacement& placement) {
    const std::u16string_view extension = ImageExtension(placement.format);
    const bool hasFile = !fontFile.empty();
    std::u16string folder;
    if (placement.otherFolder || !hasFile) {
        folder = settings::WithTrailingBackslash(placement.folder);
    } else {
        const std::u16string_view name = settings::FileNamePart(fontFile);
        folder = fontFile.substr(0, fontFile.size() - name.size());
    }
    if (placement.byFontName || !hasFile) return folder + MendedFileNameFromFontName(fontName, extension, u"Font");
    return folder + ReplacedExtension(settings::FileNamePart(fontFile), extension);
}

ImagePathClaims::ImagePathClaims(Fold fold) : fold_(fold ? std::move(fold) : Fold(Folded)) {}

std::u16string ImagePathClaims::Claim(const std::u16string& path) {
    if (taken_.insert(fold_(path)).second) return path;
    // Numbers go before the extension of the name, not into the folder.
    const std::u16string_view name = settings::FileNamePart(path);
    const std::u16string folder = path.substr(0, path.size() - name.size());
    for (int n = 2;; ++n) {
        std::u16string candidate = folder + InsertBeforeExtension(name, u" (" + Number(n) + u")");
        if (taken_.insert(fold_(candidate)).second) {
            ++renumbered_;
            return candidate;
        }
    }
}

}  // namespace typorama::output
