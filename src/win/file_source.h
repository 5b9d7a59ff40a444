// A font file opened for positional reads, shared with readers but with no
// writer while it is open.
#pragma once

#include <string>

#include "base/byte_source.h"
#include "win/unique_handle.h"

namespace typorama::win {

class FileByteSource final : public ByteSource {
public:
    // Check IsOpen(); GetLastError() tells why not.
    explicit FileByteSource(const std::wstring& path);
    bool IsOpen() const { return static_cast<bool>(file_); }
    std::size_t ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) override;

private:
    UniqueFile file_;
};

}  // namespace typorama::win
