#pragma once

#include <csignal>

#include "processing/StopRequest.h"

namespace lumora::cli {

// While it lives, Ctrl+C (SIGINT) and SIGTERM only ask the running
// processing to stop after the picture it is working on; its destruction
// puts the earlier handlers back. One lives at a time.
class StopOnSignals {
  public:
    StopOnSignals();
    ~StopOnSignals();
    StopOnSignals(const StopOnSignals&) = delete;
    StopOnSignals& operator=(const StopOnSignals&) = delete;

    const StopRequest& request() const;

  private:
#ifdef _WIN32
    // Windows' runtime has signal() only (Ctrl+C arrives as SIGINT).
    void (*previousInterrupt_)(int) = nullptr;
    void (*previousTerminate_)(int) = nullptr;
#else
    struct sigaction previousInterrupt_ {};
    struct sigaction previousTerminate_ {};
#endif
};

}  // namespace lumora::cli
