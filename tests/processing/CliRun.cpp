#include "tests/processing/CliRun.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "tests/support/CapturedStream.h"

namespace lumora::test {

CliRun runCli(CliCommand command, const cli::Arguments& args, FileSystem& fileSystem, bool terminal,
              const std::string& input) {
    CapturedStream out;
    CapturedStream err;
    std::FILE* in = openInputText(input);
    cli::CommandContext context{fileSystem, out.file(), err.file(), in, terminal, terminal};
    CliRun run;
    run.code = command(args, context);
    std::fclose(in);
    run.out = out.text();
    run.err = err.text();
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
