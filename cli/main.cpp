#include "cli/Commands.h"

int main(int argc, char** argv) {
    return lumora::cli::runCommandLine(lumora::cli::Arguments(argv + 1, argv + argc),
                                       LUMORA_VERSION);
}
