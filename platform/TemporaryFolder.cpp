#include "platform/TemporaryFolder.h"

#include <stdlib.h>

#ifdef _WIN32
#include <io.h>

#include <filesystem>
#endif

namespace lumora {

bool makeTemporaryFolder(std::string& pathTemplate) {
#ifdef _WIN32
    // Windows' runtime only names the folder; a name taken meanwhile fails
    // the creation, and the caller's template is left as _mktemp made it.
    std::error_code error;
    return ::_mktemp(pathTemplate.data()) != nullptr &&
           std::filesystem::create_directory(pathTemplate, error);
#else
    return ::mkdtemp(pathTemplate.data()) != nullptr;
#endif
}

}  // namespace lumora
