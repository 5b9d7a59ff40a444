// Times the font list's fills: a folder of distinct fonts made by the font
// builder (a cold first fill, then warm refills) and the fonts the system knows.
// Prints figures; asserts nothing. Usage: list_fill_bench [FOLDER [COUNT]]
#include <windows.h>

#include <atomic>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>

#include "catalog/font_list.h"
#include "support/font_builder.h"
#include "win/wide.h"

namespace {

std::atomic<long long> g_heapBytes{0};

double Seconds(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

std::u16string Family(int i) {
    std::string text = "Typorama Bench " + std::to_string(i);
    return std::u16string(text.begin(), text.end());
}

void MakeFonts(const std::wstring& folder, int count) {
    CreateDirectoryW(folder.c_str(), nullptr);
    for (int i = 0; i < count; ++i) {
        std::wstring path = folder + L"\\bench" + std::to_wstring(i) + L".ttf";
        if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) continue;
        typorama::test::WriteBytesToFile(path, typorama::test::BuildFont(typorama::test::FontSpec::Named(Family(i))));
    }
}

}  // namespace

// Counts the heap that the list's items and their strings take.
void* operator new(std::size_t size) {
    void* p = std::malloc(size + 16);
    if (!p) throw std::bad_alloc();
    *static_cast<std::size_t*>(p) = size;
    g_heapBytes += static_cast<long long>(size);
    return static_cast<char*>(p) + 16;
}
void operator delete(void* p) noexcept {
    if (!p) return;
    void* block = static_cast<char*>(p) - 16;
    g_heapBytes -= static_cast<long long>(*static_cast<std::size_t*>(block));
    std::free(block);
}
void operator delete(void* p, std::size_t) noexcept { operator delete(p); }

int wmain(int argc, wchar_t** argv) {
    using namespace typorama::catalog;
    std::wstring folder = argc > 1 ? argv[1] : L"C:\\typorama-bench-fonts";
    int count = argc > 2 ? _wtoi(argv[2]) : 1000;
    MakeFonts(folder, count);

    for (int round = 0; round < 3; ++round) {
        long long heapBefore = g_heapBytes;
        auto start = std::chrono::steady_clock::now();
        TFontList list;
        list.SetSourceKind(SourceKind::Folder);
        list.SetFolder(folder);
        list.Rebuild(false);
        double fill = Seconds(start);
        long long heap = g_heapBytes - heapBefore;
        long long strings = 0;
        for (int i = 0; i < list.Count(); ++i) {
            auto& item = list[i];
            for (const std::wstring* s : std::initializer_list<const std::wstring*>{&item.Name, &item.Copyright(), &item.FamilyName(), &item.SubfamilyName(),
                                          &item.UniqueId(), &item.FullName(), &item.Version(), &item.PostScriptName(),
                                          &item.FileName()})
                if (s->capacity() > 7) strings += static_cast<long long>((s->capacity() + 1) * sizeof(wchar_t));
        }
        long long files = 0;
        for (const auto& f : list.Files) files += static_cast<long long>((f.capacity() + 1) * sizeof(wchar_t));
        std::printf("folder fill %s: %d fonts in %.3f s, %.0f us per font, heap per item %.0f bytes beyond its strings\n",
                    round == 0 ? "(cold)" : "(warm)", list.Count(), fill, fill * 1e6 / std::max(1, list.Count()),
                    static_cast<double>(heap - strings - files) / std::max(1, list.Count()));
        // A screen of rows drawn: their fonts are loaded then.
        start = std::chrono::steady_clock::now();
        for (int i = 0; i < std::min(40, list.Count()); ++i) list.PrepareToDraw(list[i]);
        std::printf("  first screen's fonts loaded: %.1f ms\n", Seconds(start) * 1000);
        const int loaded = list.DisplayLoadedCount();
        start = std::chrono::steady_clock::now();
        list.Clear();
        std::printf("  leaving the folder (clear), unloading %d fonts: %.3f s\n", loaded, Seconds(start));
    }

    for (int round = 0; round < 2; ++round) {
        auto start = std::chrono::steady_clock::now();
        TFontList list;
        list.Rebuild(false);
        double fill = Seconds(start);
        std::printf("system fill: %d fonts in %.3f s, %.0f us per font\n", list.Count(), fill,
                    fill * 1e6 / std::max(1, list.Count()));
    }
    return 0;
}
