#include "win/file_source.h"

#include <algorithm>

namespace typorama::win {

namespace {

constexpr std::size_t kHeadSize = 64 * 1024;

// The head buffer of the last source closed on this thread: a listing opens
// thousands of files one after another, and a new 64 KiB block for each (the
// system's heap hands such blocks out as fresh pages) cost a third of the
// time of reading them.
thread_local std::vector<std::uint8_t> t_spareHead;

}  // namespace

FileByteSource::FileByteSource(const std::wstring& path)
    : file_(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                        FILE_ATTRIBUTE_NORMAL | FILE_FLAG_RANDOM_ACCESS, nullptr)) {}

FileByteSource::~FileByteSource() {
    if (head_.capacity() >= kHeadSize && t_spareHead.capacity() < kHeadSize) t_spareHead = std::move(head_);
}

std::size_t FileByteSource::ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) {
    if (!headRead_) {
        headRead_ = true;
        head_ = std::move(t_spareHead);
        head_.resize(kHeadSize);
        // The file was just opened: its position is the start, and a plain
        // read costs less than one at a given offset.
        std::size_t total = 0;
        while (total < kHeadSize) {
            DWORD got = 0;
            if (!ReadFile(file_.get(), head_.data() + total, static_cast<DWORD>(kHeadSize - total), &got, nullptr) ||
                got == 0)
                break;
            total += got;
        }
        head_.resize(total);
    }
    // A file shorter than the head is all there: nothing more to ask the system.
    const bool whole = head_.size() < kHeadSize;
    if (offset <= head_.size() && (whole || out.size() <= head_.size() - offset)) {
        const std::size_t n = std::min<std::size_t>(out.size(), head_.size() - static_cast<std::size_t>(offset));
        std::copy_n(head_.begin() + static_cast<std::ptrdiff_t>(offset), n, out.begin());
        return n;
    }
    if (whole) return 0;
    return ReadFromFile(offset, out);
}

std::size_t FileByteSource::ReadFromFile(std::uint64_t offset, std::span<std::uint8_t> out) {
    std::size_t total = 0;
    while (total < out.size()) {
        OVERLAPPED at{};
        std::uint64_t pos = offset + total;
        at.Offset = static_cast<DWORD>(pos);
        at.OffsetHigh = static_cast<DWORD>(pos >> 32);
        DWORD want = static_cast<DWORD>(std::min<std::size_t>(out.size() - total, 1u << 30));
        DWORD got = 0;
        if (!ReadFile(file_.get(), out.data() + total, want, &got, &at) || got == 0) break;
        total += got;
    }
    return total;
}

}  // namespace typorama::win
