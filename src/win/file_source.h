// A font file opened for positional reads, shared with readers but with no
// writer while it is open. Its first 64 KiB are read at the first request and
// served from memory: a font's tables are read in many small pieces, and
// listing a folder of thousands of fonts would otherwise make each piece a
// call to the system.
#pragma once

#include <string>
#include <vector>

#include "base/byte_source.h"
#include "win/unique_handle.h"

namespace typorama::win {

class FileByteSource final : public ByteSource {
public:
    // Check IsOpen(); GetLastError() tells why not.
    explicit FileByteSource(const std::wstring& path);
    ~FileByteSource() override;
    FileByteSource(const FileByteSource&) = delete;
    FileByteSource& operator=(const FileByteSource&) = delete;
    bool IsOpen() const { return static_cast<bool>(file_); }
    std::size_t ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) override;

private:
    std::size_t ReadFromFile(std::uint64_t offset, std::span<std::uint8_t> out);

    UniqueFile file_;
    std::vector<std::uint8_t> head_;
    bool headRead_ = false;
};

}  // namespace typorama::win
