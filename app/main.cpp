// lumora: the program's window.
#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>
#ifdef _WIN32
#include <windows.h>
#endif

#include "app/CPhotoAlbumApp.h"
#include "app/ProgramArguments.h"
#include "app/ProgramIcon.h"
#include "app/ProgramInfo.h"
#include "platform/ProgramText.h"

namespace {

constexpr int kExitUsage = 2;

int usageError(const std::string& error) {
    std::fprintf(stderr, "lumora: %s\nTry 'lumora --help'.\n", error.c_str());
    return kExitUsage;
}

#ifndef _WIN32
bool isSet(const char* variable) {
    const char* value = std::getenv(variable);
    return value != nullptr && *value != '\0';
}
#endif

// Whether Qt has somewhere to open the window: a display, or a platform
// chosen by hand (-platform, QT_QPA_PLATFORM=offscreen). Windows always has
// its desktop.
bool haveDisplay([[maybe_unused]] int argc, [[maybe_unused]] char** argv) {
#ifdef _WIN32
    return true;
#else
    if (isSet("DISPLAY") || isSet("WAYLAND_DISPLAY") || isSet("QT_QPA_PLATFORM")) return true;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-platform") == 0) return true;
    }
    return false;
#endif
}

#ifdef _WIN32
// lumora.exe belongs to the graphical subsystem: started from a console it
// gets none of its own, and what it prints (--help, --version, the pictures
// of the screenshot mode, errors) would be lost. Output that was not sent
// elsewhere (to a file or a pipe) goes to the console it was started from.
void printToStartingConsole() {
    const bool noOutput = GetStdHandle(STD_OUTPUT_HANDLE) == nullptr;
    const bool noErrors = GetStdHandle(STD_ERROR_HANDLE) == nullptr;
    if ((!noOutput && !noErrors) || !AttachConsole(ATTACH_PARENT_PROCESS)) return;
    if (noOutput) std::freopen("CONOUT$", "w", stdout);
    if (noErrors) std::freopen("CONOUT$", "w", stderr);
}
#endif

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
    printToStartingConsole();
#endif
    // --help and --version work without a display.
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--help" || argument == "-h") {
            std::fputs(lumora::programUsageText().c_str(), stdout);
            return 0;
        }
        if (argument == "--version") {
            std::printf("lumora %s\n", lumora::kProgramVersion);
            return 0;
        }
    }

    if (!haveDisplay(argc, argv)) {
        std::fprintf(stderr,
                     "lumora: no display to open the window on (DISPLAY and WAYLAND_DISPLAY are "
                     "unset); lumora-cli works without one\n");
        return 1;
    }
    QApplication application(argc, argv);  // takes Qt's own options out of argv
    QApplication::setApplicationName(lumora::kProgramName);
    QApplication::setApplicationVersion(lumora::kProgramVersion);
    QApplication::setWindowIcon(lumora::programIcon());

    lumora::ProgramArguments arguments;
    std::string error;
    // In UTF-8 on Windows too, where argv holds the ANSI code page.
    if (!lumora::parseProgramArguments(lumora::utf8Arguments(argc, argv), arguments, error) ||
        !checkProgramPaths(arguments, error)) {
        return usageError(error);
    }
    lumora::CPhotoAlbumApp program(arguments);
    return program.run();
}
