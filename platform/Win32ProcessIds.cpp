#include <windows.h>

#include "platform/ProcessIds.h"

namespace lumora {

int64_t currentProcessId() {
    return static_cast<int64_t>(::GetCurrentProcessId());
}

bool processIsRunning(int64_t processId) {
    if (processId <= 0) return false;
    HANDLE process = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE,
                                   static_cast<DWORD>(processId));
    // Access denied: it runs, under another user.
    if (process == nullptr) return ::GetLastError() == ERROR_ACCESS_DENIED;
    DWORD code = 0;
    const bool running = ::GetExitCodeProcess(process, &code) != 0 && code == STILL_ACTIVE;
    ::CloseHandle(process);
    return running;
}

}  // namespace lumora
