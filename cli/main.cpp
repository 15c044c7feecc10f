#include "cli/Commands.h"
#include "platform/ProgramText.h"

int main(int argc, char** argv) {
    lumora::useUtf8Console();
    return lumora::cli::runCommandLine(lumora::utf8Arguments(argc, argv), LUMORA_VERSION);
}
