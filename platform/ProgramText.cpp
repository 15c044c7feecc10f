#include "platform/ProgramText.h"

#ifdef _WIN32
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include "platform/WideText.h"
#endif

namespace lumora {

std::vector<std::string> utf8Arguments(int argc, char** argv) {
#ifdef _WIN32
    int count = 0;
    LPWSTR* wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    // The runtime splits the same command line by the same rules; should the
    // two ever disagree, its split stands.
    if (wide != nullptr && count == argc) {
        std::vector<std::string> arguments;
        for (int i = 1; i < count; ++i) arguments.push_back(fromWide(wide[i]));
        ::LocalFree(wide);
        return arguments;
    }
    if (wide != nullptr) ::LocalFree(wide);
#endif
    return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

void useUtf8Console() {
#ifdef _WIN32
    ::SetConsoleOutputCP(CP_UTF8);
#endif
}

}  // namespace lumora
