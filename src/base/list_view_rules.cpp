#include "base/list_view_rules.h"

#include <algorithm>
#include <climits>

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

}  // namespace typorama
