#include "tests/processing/CliRun.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace lumora::test {

CliRun runCli(CliCommand command, const cli::Arguments& args, FileSystem& fileSystem, bool terminal,
              const std::string& input) {
    char* outText = nullptr;
    char* errText = nullptr;
    size_t outSize = 0, errSize = 0;
    std::FILE* out = open_memstream(&outText, &outSize);
    std::FILE* err = open_memstream(&errText, &errSize);
    std::string inputCopy = input;
    std::FILE* in = input.empty() ? std::fopen("/dev/null", "r")
                                  : fmemopen(inputCopy.data(), inputCopy.size(), "r");
    cli::CommandContext context{fileSystem, out, err, in, terminal, terminal};
    CliRun run;
    run.code = command(args, context);
    std::fclose(out);
    std::fclose(err);
    std::fclose(in);
    run.out.assign(outText, outSize);
    run.err.assign(errText, errSize);
    std::free(outText);
    std::free(errText);
    return run;
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

}  // namespace lumora::test
