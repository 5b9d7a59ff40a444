// Running typorama-cli from a test and reading what it printed.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/process.h"
#include "support/scratch.h"
#include "win/wide.h"

namespace typorama::test {

inline ProcessResult RunCli(const std::vector<std::wstring>& args) {
    std::wstring line = QuoteArgument(ProgramFolder() + L"" TYPORAMA_CLI_EXE);
    for (const auto& arg : args) line += L" " + QuoteArgument(arg);
    return RunProcess(line);
}

// The output's lines without their LF; every line must be complete.
inline std::vector<std::string> Lines(const std::string& out) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t lf; (lf = out.find('\n', start)) != std::string::npos; start = lf + 1)
        lines.push_back(out.substr(start, lf - start));
    EXPECT_EQ(start, out.size()) << "output ends with a complete line";
    return lines;
}

// A path or name as it stands inside a JSON string (backslashes doubled), UTF-8.
inline std::string Json(const std::wstring& text) {
    std::string escaped;
    for (char c : win::WideToUtf8(text)) {
        if (c == '\\') escaped += '\\';
        escaped += c;
    }
    return escaped;
}

}  // namespace typorama::test
