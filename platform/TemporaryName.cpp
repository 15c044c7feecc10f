#include "platform/TemporaryName.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/FileSystem.h"
#include "platform/ProcessIds.h"

namespace lumora {
namespace {

constexpr const char* kTemporaryPrefix = ".lumora-";
constexpr const char* kTemporarySuffix = ".part";

}  // namespace

std::string temporaryNameIn(const std::string& folder) {
    static std::atomic<unsigned> counter{0};
    char name[64];
    std::snprintf(name, sizeof name, "%s%lld-%u%s", kTemporaryPrefix,
                  static_cast<long long>(currentProcessId()),
                  counter.fetch_add(1), kTemporarySuffix);
    return joinPath(folder, name);
}

bool isLeftoverTemporaryName(const std::string& name) {
    const size_t prefixLength = std::strlen(kTemporaryPrefix);
    const size_t suffixLength = std::strlen(kTemporarySuffix);
    if (name.size() <= prefixLength + suffixLength ||
        name.compare(0, prefixLength, kTemporaryPrefix) != 0 ||
        name.compare(name.size() - suffixLength, suffixLength, kTemporarySuffix) != 0) {
        return false;
    }
    const std::string middle = name.substr(prefixLength, name.size() - prefixLength - suffixLength);
    const auto dash = middle.find('-');
    if (dash == 0 || dash == std::string::npos || dash + 1 == middle.size()) return false;
    if (middle.find_first_not_of("0123456789-") != std::string::npos ||
        middle.find('-', dash + 1) != std::string::npos || dash > 9) {
        return false;
    }
    const long pid = std::strtol(middle.substr(0, dash).c_str(), nullptr, 10);
    if (pid <= 0 || pid == currentProcessId()) return false;
    // A process of that number still running may be writing it (a second
    // run into the same folder): only the files of ended processes go.
    return processHasEnded(pid);
}

}  // namespace lumora
