#include "platform/ProcessIds.h"

#include <signal.h>
#include <unistd.h>

#include <cerrno>

namespace lumora {

int64_t currentProcessId() {
    return static_cast<int64_t>(::getpid());
}

bool processIsRunning(int64_t processId) {
    if (processId <= 0) return false;
    // EPERM: it runs, under another user.
    return ::kill(static_cast<pid_t>(processId), 0) == 0 || errno == EPERM;
}

}  // namespace lumora
