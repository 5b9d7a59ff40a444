#include "win/whole_file.h"

#include "win/unique_handle.h"

namespace typorama::win {

std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::wstring& path, std::uint64_t maxBytes) {
    UniqueFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    LARGE_INTEGER size{};
    if (!file || !GetFileSizeEx(file.get(), &size)) return std::nullopt;
    if (static_cast<std::uint64_t>(size.QuadPart) > maxBytes || size.QuadPart > 0x7FFFFFFF) {
        SetLastError(ERROR_FILE_TOO_LARGE);
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size.QuadPart));
    DWORD got = 0;
    if (!bytes.empty() && (!ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr) ||
                           got != bytes.size())) {
        if (GetLastError() == ERROR_SUCCESS) SetLastError(ERROR_HANDLE_EOF);
        return std::nullopt;
    }
    return bytes;
}

DWORD WriteWholeFile(const std::wstring& path, std::span<const std::uint8_t> bytes) {
    DWORD status = ERROR_SUCCESS;
    UniqueFile file(CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        status = GetLastError();
    } else {
        DWORD written = 0;
        if (bytes.size() > 0xFFFFFFFFu)
            status = ERROR_FILE_TOO_LARGE;
        else if (!WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr))
            status = GetLastError();
        else if (written != bytes.size())
            status = ERROR_WRITE_FAULT;
        // A full disk may show only when the data reaches it.
        if (status == ERROR_SUCCESS && !CloseHandle(file.release())) status = GetLastError();
    }
    SetLastError(status);
    return status;
}

}  // namespace typorama::win
