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
    struct sigaction previousInterrupt_ {};
    struct sigaction previousTerminate_ {};
};

}  // namespace lumora::cli
