#include "base/list_view_rules.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace typorama {
namespace {

// Control characters and spaces, as the sizes' and the input box's trimming sees them.
bool IsBlank(char16_t c) { return c <= u' '; }

std::u16string_view Trimmed(std::u16string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

// A whole decimal number with an optional sign, nothing else; false when it
// is not one or does not fit an int.
bool ToInt(std::u16string_view text, int& value) {
    if (text.empty()) return false;
    bool negative = false;
    if (text.front() == u'+' || text.front() == u'-') {
        negative = text.front() == u'-';
        text.remove_prefix(1);
    }
    if (text.empty()) return false;
    long long n = 0;
    for (char16_t c : text) {
        if (c < u'0' || c > u'9') return false;
        n = n * 10 + (c - u'0');
        if (n > static_cast<long long>(INT_MAX) + 1) return false;
    }
    if (negative) n = -n;
    if (n < INT_MIN || n > INT_MAX) return false;
    value = static_cast<int>(n);
    return true;
}

}  // namespace

int ScaleToDpi(int pixels, int dpi) {
    const long long product = static_cast<long long>(pixels) * dpi;
    const long long half = product < 0 ? -48 : 48;
    return static_cast<int>(std::clamp<long long>((product + half) / 96, INT_MIN, INT_MAX));
}

int RowHeight(int size, bool showFontName, int dpi) {
    // In 64 bits: a size typed near INT_MAX must not wrap to a small row.
    long long height = ScaleToDpi(size, dpi);
    if (showFontName) height += ScaleToDpi(kNameLineHeight, dpi);
    return static_cast<int>(std::clamp<long long>(height, 1, kMaxRowHeight));
}

std::u16string CleanFontSizes(std::u16string_view sizes) {
    const std::u16string_view trimmed = Trimmed(sizes);
    std::u16string cleaned;
    cleaned.reserve(trimmed.size());
    for (char16_t c : trimmed) {
        if (c == u' ' && !cleaned.empty() && cleaned.back() == u' ') continue;
        cleaned.push_back(c);
    }
    if (cleaned.empty()) cleaned = kDefaultFontSizeList;
    return cleaned;
}

std::vector<std::u16string> SplitFontSizes(std::u16string_view cleaned) {
    std::vector<std::u16string> entries;
    std::size_t start = 0;
    while (start <= cleaned.size()) {
        const std::size_t space = cleaned.find(u' ', start);
        const std::size_t end = space == std::u16string_view::npos ? cleaned.size() : space;
        if (end > start) entries.emplace_back(cleaned.substr(start, end - start));
        if (space == std::u16string_view::npos) break;
        start = space + 1;
    }
    return entries;
}

int FontSizeEntryValue(std::u16string_view entry) {
    int value = 0;
    return ToInt(entry, value) ? value : -1;
}

int ParseFontSize(std::u16string_view text) {
    int value = 0;
    if (!ToInt(Trimmed(text), value)) value = kDefaultFontSize;
    return std::clamp(value, kMinFontSize, kMaxFontSize);
}

int IncreasedFontSize(int size) { return size > INT_MAX - kFontSizeStep ? size : size + kFontSizeStep; }

int DecreasedFontSize(int size) { return std::max(size - kFontSizeStep, kMinFontSize); }

StatusSlots ComputeStatusSlots(const StatusSlotInput& in) {
    StatusSlots out;
    int offset = 0;
    for (int slot = 3; slot >= 1; --slot) {
        const auto i = static_cast<std::size_t>(slot);
        if (in.empty[i]) continue;
        // Slots 2 and 3 carry a drop-down arrow at their right.
        const int width = in.textWidths[i] + (slot >= 2 ? 22 : 10);
        offset += width + 2;
        const int left = in.barClientWidth + in.panelLeft - in.margin - offset;
        out.shown[i] = true;
        out.slots[i] = SlotRect{left, in.panelTop, left + width, in.panelTop + in.panelHeight};
    }
    const int messageWidth = in.barClientWidth - in.margin - offset - 2;
    out.slots[0] = SlotRect{in.panelLeft + 1, in.panelTop, in.panelLeft + messageWidth - 1,
                            in.panelTop + in.panelHeight};
    return out;
}

int StatusSlotAt(const StatusSlots& slots, int x, int y) {
    for (int slot = 3; slot >= 1; --slot) {
        const auto i = static_cast<std::size_t>(slot);
        if (slots.shown[i] && slots.slots[i].Contains(x, y)) return slot;
    }
    return -1;
}

namespace {

double Channel(std::uint32_t value) {
    const double c = value / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double Luminance(std::uint32_t color) {
    return 0.2126 * Channel(color & 0xFF) + 0.7152 * Channel(color >> 8 & 0xFF) + 0.0722 * Channel(color >> 16 & 0xFF);
}

// Each channel moved the fraction `t` of the way towards `target` (0 or 255).
std::uint32_t Toward(std::uint32_t color, std::uint32_t target, double t) {
    std::uint32_t out = 0;
    for (int shift : {0, 8, 16}) {
        const double c = color >> shift & 0xFF;
        out |= static_cast<std::uint32_t>(std::lround(c + (static_cast<double>(target) - c) * t)) << shift;
    }
    return out;
}

}  // namespace

double ContrastRatio(std::uint32_t a, std::uint32_t b) {
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

std::uint32_t VisibleSelectionColor(std::uint32_t selection, std::uint32_t back) {
    selection &= 0xFFFFFF;
    if (ContrastRatio(selection, back) >= kMinSelectionContrast) return selection;
    // Darker unless even black would not stand out enough on this background.
    const std::uint32_t target = ContrastRatio(0, back) >= kMinSelectionContrast ? 0 : 255;
    double low = 0, high = 1;  // the smallest step that reaches the ratio
    for (int i = 0; i < 20; ++i) {
        const double mid = (low + high) / 2;
        (ContrastRatio(Toward(selection, target, mid), back) >= kMinSelectionContrast ? high : low) = mid;
    }
    return Toward(selection, target, high);
}

namespace {

constexpr char32_t kBlock = 256;

bool Showable(char32_t c) {
    if (c < 0x21 || (c >= 0x7F && c <= 0xA0) || c == 0xAD) return false;
    if (c >= 0x2000 && c <= 0x200F) return false;  // spaces and direction marks
    if (c >= 0x2028 && c <= 0x202F) return false;
    if (c == 0x3000 || c == 0xFEFF) return false;
    if (c == 0xF020 || c == 0xF0A0) return false;  // the spaces of symbol fonts
    // Combining marks draw on a dotted circle or nothing when alone.
    if ((c >= 0x0300 && c <= 0x036F) || (c >= 0x1AB0 && c <= 0x1AFF) || (c >= 0x1DC0 && c <= 0x1DFF) ||
        (c >= 0x20D0 && c <= 0x20FF) || (c >= 0xFE20 && c <= 0xFE2F))
        return false;
    if (c >= 0xD800 && c <= 0xDFFF) return false;   // halves of pairs
    return c <= 0x10FFFF && (c & 0xFFFE) != 0xFFFE;  // noncharacters
}

}  // namespace

std::u16string OwnSampleText(const std::vector<CodeRange>& ranges, std::size_t count) {
    // Showable characters per block of 256.
    std::vector<std::pair<char32_t, std::size_t>> blocks;
    for (const CodeRange& range : ranges) {
        if (range.last < range.first) continue;
        for (char32_t block = range.first / kBlock; block <= range.last / kBlock; ++block) {
            const char32_t from = std::max<char32_t>(range.first, block * kBlock);
            const char32_t to = std::min<char32_t>(range.last, block * kBlock + kBlock - 1);
            std::size_t n = 0;
            for (char32_t c = from; c <= to; ++c) n += Showable(c);
            if (n == 0) continue;
            if (!blocks.empty() && blocks.back().first == block)
                blocks.back().second += n;
            else
                blocks.emplace_back(block, n);
        }
    }
    if (blocks.empty() || count == 0) return {};
    // The first of the fullest blocks; blocks of symbols (punctuation, arrows,
    // box drawing, shapes, the private use area, emoji) only when the font
    // has no other: a font's script is in its letters.
    auto symbols = [](char32_t block) {
        const char32_t c = block * kBlock;
        return (c >= 0x2000 && c <= 0x2BFF) || (c >= 0xE000 && c <= 0xF8FF) || c >= 0x1F000;
    };
    const bool lettersFound =
        std::any_of(blocks.begin(), blocks.end(), [&](const auto& b) { return !symbols(b.first); });
    auto main = blocks.end();
    for (auto it = blocks.begin(); it != blocks.end(); ++it)
        if ((!lettersFound || !symbols(it->first)) && (main == blocks.end() || it->second > main->second)) main = it;
    std::u16string text;
    std::size_t taken = 0;
    for (const CodeRange& range : ranges) {
        for (char32_t c = std::max<char32_t>(range.first, main->first * kBlock);
             c <= std::min<char32_t>(range.last, main->first * kBlock + kBlock - 1) && taken < count; ++c) {
            if (!Showable(c)) continue;
            if (c > 0xFFFF) {
                text += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
                text += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
            } else {
                text += static_cast<char16_t>(c);
            }
            ++taken;
        }
    }
    return text;
}

bool MostlyMissing(std::size_t shown, std::size_t missing) { return missing > shown; }

}  // namespace typorama
