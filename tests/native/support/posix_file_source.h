// A ByteSource over an open POSIX file: every ReadAt is one pread, the way the
// Win32 program reads through its open handle. Native tests and benchmarks only.
#pragma once

#include <fcntl.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <span>

#include "base/byte_source.h"

namespace typorama::test {

class PosixFileByteSource final : public ByteSource {
public:
    explicit PosixFileByteSource(const char* path) : fd_(::open(path, O_RDONLY | O_CLOEXEC)) {}
    ~PosixFileByteSource() override {
        if (fd_ >= 0) ::close(fd_);
    }
    PosixFileByteSource(const PosixFileByteSource&) = delete;
    PosixFileByteSource& operator=(const PosixFileByteSource&) = delete;

    bool IsOpen() const { return fd_ >= 0; }
    std::size_t Reads() const { return reads_; }

    std::size_t ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) override {
        std::size_t done = 0;
        while (done < out.size()) {
            ++reads_;
            ssize_t n = ::pread(fd_, out.data() + done, out.size() - done, static_cast<off_t>(offset + done));
            if (n <= 0) break;  // end of file or error: fewer bytes, as a short read
            done += static_cast<std::size_t>(n);
        }
        return done;
    }

private:
    int fd_;
    std::size_t reads_ = 0;
};

}  // namespace typorama::test
