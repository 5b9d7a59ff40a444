// Where an exported sample image goes and what it is called: beside the font
// file or in the chosen folder, named after the font file or after the font's
// name, and numbered when an earlier image of the same run took the name.
// Pure code.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <unordered_set>

namespace typorama::output {

enum class ImageFormat { Bmp = 0, Png = 1 };

// ".bmp" or ".png".
std::u16string_view ImageExtension(ImageFormat format);

struct ImagePlacement {
    bool otherFolder = false;     // into `folder` rather than beside the font file
    bool byFontName = false;      // named after the font rather than its file
    std::u16string folder;        // the other folder, ending in a backslash
    ImageFormat format = ImageFormat::Bmp;
};

// The full path of the image of the font named `fontName` whose file is
// `fontFile` (empty when the font has no existing file: it then goes by its
// name into the other folder whatever was chosen). A name taken from the font
// loses the characters no file name may hold and is mended until Windows
// would make exactly that file (see MendedFileNameFromFontName).
std::u16string ImagePath(std::u16string_view fontName, std::u16string_view fontFile, const ImagePlacement& placement);

// The paths one run has written. Two fonts may map to one path ("Name.ttf"
// and "Name.otf" beside each other, or two faces of one name): the later one
// gets "Name (2).bmp", "Name (3).bmp" and so on instead of replacing the
// image just made. File names compare without regard to ASCII case, as the
// file systems do.
class ImagePathClaims {
public:
    // Paths are the same file when `fold` makes them equal: the file system's
    // letter-case rule, which the caller has (A-Z only when none is given).
    using Fold = std::function<std::u16string(std::u16string_view)>;
    explicit ImagePathClaims(Fold fold = {});

    // The path to write for `path`, claimed for the rest of the run.
    std::u16string Claim(const std::u16string& path);
    // How many claims were given a numbered name.
    int Renumbered() const { return renumbered_; }

private:
    Fold fold_;
    std::unordered_set<std::u16string> taken_;  // folded paths
    int renumbered_ = 0;
};

}  // namespace typorama::output
