// SPDX-License-Identifier: MIT
#include <cstdio>
#include <exception>
#include <string_view>
#include <vector>

#include <unistd.h>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "cli/batch.h"
#include "cli/command.h"

int main(int argc, char** argv) {
#ifdef _WIN32
    // Every line ends in '\n' alone on every system, so that scripts and the
    // tests see the same bytes; standard input stays in text mode, where a
    // console's Ctrl-Z still ends the input.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#endif
    try {
        const std::vector<std::string_view> args(argv + 1, argv + argc);
        dealwise::cli::DescriptorReader in(STDIN_FILENO, "standard input");
        dealwise::cli::FileWriter out(stdout, "standard output");
        dealwise::cli::FileWriter errors(stderr, "standard error");
        return dealwise::cli::runCommand(args, in, out, errors, DEALWISE_VERSION_TEXT);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "dealwise-score: %s\n", error.what());
    } catch (...) {
        std::fputs("dealwise-score: unexpected failure\n", stderr);
    }
    return dealwise::cli::kExitUsage;
}
