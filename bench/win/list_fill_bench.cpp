// Times the font list's fills: a folder of distinct fonts made by the font
// builder, listed first with every file read, then with the facts kept in
// memory, then from the stored copy as at the next start, then with every
// file read again; and the fonts the system knows.
// Prints figures; asserts nothing. Usage: list_fill_bench [FOLDER [COUNT]]
#include <windows.h>

#include <atomic>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>

#include "catalog/font_facts_cache.h"
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

struct Fill {
    double seconds = 0;
    long long heap = 0;       // allocated by the fill and still held
    long long itemStrings = 0;  // of that, the items' own strings and the file list
    int count = 0;
};

Fill FillFolder(typorama::catalog::TFontList& list, const std::wstring& folder) {
    using namespace typorama::catalog;
    Fill fill;
    const long long heapBefore = g_heapBytes;
    auto start = std::chrono::steady_clock::now();
    list.SetSourceKind(SourceKind::Folder);
    list.SetFolder(folder);
    list.Rebuild(false);
    fill.seconds = Seconds(start);
    fill.heap = g_heapBytes - heapBefore;
    fill.count = list.Count();
    auto bytes = [](const std::wstring& s) {
        return s.capacity() > 7 ? static_cast<long long>((s.capacity() + 1) * sizeof(wchar_t)) : 0LL;
    };
    for (int i = 0; i < list.Count(); ++i) fill.itemStrings += bytes(list[i].Name) + bytes(list[i].FileName());
    for (const auto& f : list.Files) fill.itemStrings += bytes(f);
    return fill;
}

void Report(const char* what, const Fill& fill) {
    std::printf("%s: %d fonts in %.3f s, %.0f us per font\n", what, fill.count, fill.seconds,
                fill.seconds * 1e6 / std::max(1, fill.count));
}

void Leave(typorama::catalog::TFontList& list) {
    // A screen of rows drawn: their fonts are loaded then.
    auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < std::min(40, list.Count()); ++i) list.PrepareToDraw(list[i]);
    std::printf("  first screen's fonts loaded: %.1f ms\n", Seconds(start) * 1000);
    const int loaded = list.DisplayLoadedCount();
    start = std::chrono::steady_clock::now();
    list.Clear();
    std::printf("  leaving the folder (clear), unloading %d fonts: %.3f s\n", loaded, Seconds(start));
}

int wmain(int argc, wchar_t** argv) {
    using namespace typorama::catalog;
    std::wstring folder = argc > 1 ? argv[1] : L"C:\\typorama-bench-fonts";
    int count = argc > 2 ? _wtoi(argv[2]) : 1000;
    MakeFonts(folder, count);
    FontFactsCache& cache = FactsCache();
    cache.Clear();

    long long firstHeap = 0;
    {
        TFontList list;
        Fill fill = FillFolder(list, folder);
        Report("first listing in this process, every file read", fill);
        firstHeap = fill.heap;
        Leave(list);
    }
    {
        TFontList list;
        Fill fill = FillFolder(list, folder);
        Report("listing again, facts kept from the last listing", fill);
        const int n = std::max(1, fill.count);
        std::printf("  heap per item %.0f bytes beyond its strings; facts kept %.0f bytes per file (%zu files)\n",
                    static_cast<double>(fill.heap - fill.itemStrings) / n,
                    static_cast<double>(firstHeap - fill.heap) / n, cache.Size());
        Leave(list);
    }
    {
        const std::wstring store = folder + L"\\..\\typorama-bench-facts.cache";
        cache.Save(store);
        WIN32_FILE_ATTRIBUTE_DATA data{};
        GetFileAttributesExW(store.c_str(), GetFileExInfoStandard, &data);
        cache.Clear();
        auto start = std::chrono::steady_clock::now();
        cache.Load(store);
        const double load = Seconds(start);
        TFontList list;
        Fill fill = FillFolder(list, folder);
        std::printf("as at the next start: stored facts (%.1f MB) loaded in %.3f s, then listing: %d fonts in %.3f s; "
                    "together %.3f s\n",
                    data.nFileSizeLow / 1048576.0, load, fill.count, fill.seconds, load + fill.seconds);
        DeleteFileW(store.c_str());
        Leave(list);
    }
    {
        cache.Clear();
        TFontList list;
        Report("listing with no facts kept, every file read again (files in the system's cache)", FillFolder(list, folder));
        Leave(list);
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
