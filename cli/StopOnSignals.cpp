#include "cli/StopOnSignals.h"

namespace lumora::cli {
namespace {

// Set from the handler: a lock-free store is all a handler may do here.
StopRequest gStopRequest;

extern "C" void requestStop(int) {
    gStopRequest.request();
}

}  // namespace

#ifdef _WIN32
StopOnSignals::StopOnSignals() {
    gStopRequest.clear();
    previousInterrupt_ = std::signal(SIGINT, requestStop);
    previousTerminate_ = std::signal(SIGTERM, requestStop);
}

StopOnSignals::~StopOnSignals() {
    std::signal(SIGINT, previousInterrupt_);
    std::signal(SIGTERM, previousTerminate_);
}
#else
StopOnSignals::StopOnSignals() {
    gStopRequest.clear();
    struct sigaction action {};
    action.sa_handler = requestStop;
    sigemptyset(&action.sa_mask);
    // Reads and writes of the picture in hand go on as if nothing happened:
    // the picture is finished whole before the run ends.
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, &previousInterrupt_);
    sigaction(SIGTERM, &action, &previousTerminate_);
}

StopOnSignals::~StopOnSignals() {
    sigaction(SIGINT, &previousInterrupt_, nullptr);
    sigaction(SIGTERM, &previousTerminate_, nullptr);
}
#endif

const StopRequest& StopOnSignals::request() const {
    return gStopRequest;
}

}  // namespace lumora::cli
