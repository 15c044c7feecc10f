#include "cli/Commands.h"
#include "platform/Time.h"

int main(int argc, char** argv) {
    lumora::pinLocalTimeZone();
    return lumora::cli::runCommandLine(lumora::cli::Arguments(argv + 1, argv + argc),
                                       LUMORA_VERSION);
}
