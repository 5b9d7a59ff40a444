// Runs a console program of the build and captures what it prints.
#pragma once

#include <string>

namespace typorama::test {

struct ProcessResult {
    int exitCode = -1;
    std::string out;  // raw bytes of standard output
    std::string err;
};

// Runs `commandLine` (program and arguments, quoted as needed) and waits for it.
ProcessResult RunProcess(const std::wstring& commandLine);

// Quotes one argument for a command line.
std::wstring QuoteArgument(const std::wstring& arg);

}  // namespace typorama::test
