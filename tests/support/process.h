// Runs a console program of the build and captures what it prints.
#pragma once

#include <string>

namespace typorama::test {

struct ProcessResult {
    int exitCode = -1;
    std::string out;  // raw bytes of standard output
    std::string err;
    bool timedOut = false;  // it was still running after the time given and was ended
};

// Runs `commandLine` (program and arguments, quoted as needed) and waits for
// it, at most `timeoutMs`.
ProcessResult RunProcess(const std::wstring& commandLine, unsigned long timeoutMs = 0xFFFFFFFF);

// Quotes one argument for a command line.
std::wstring QuoteArgument(const std::wstring& arg);

}  // namespace typorama::test
