// typorama-cli entry point.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>

#include "cli/cli.h"

int wmain(int argc, wchar_t** argv) {
    // Binary mode: lines end in a bare LF and UTF-8 bytes pass untouched.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    std::vector<std::wstring> args(argv + 1, argv + argc);
    typorama::cli::Output out(stdout);
    typorama::cli::Output err(stderr);
    int code = typorama::cli::Run(args, out, err);
    std::fflush(stdout);
    return code;
}
