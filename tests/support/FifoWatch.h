#pragma once

#include <atomic>
#include <csignal>
#include <string>
#include <thread>

namespace lumora::test {

// A FIFO for tests of code that must leave FIFOs alone. A thread keeps trying
// the FIFO's ends without blocking while the guard lives: whenever someone
// holds the FIFO open, or waits in opening it, the thread opens the other end
// and closes it again at once. Code that wrongly waits on the FIFO so gets an
// empty read or a closed pipe and goes on, instead of hanging the test, and
// the guard counts every such meeting. Code that never opens it is never met.
class FifoWatch {
  public:
    // Makes the FIFO at path (which must not exist) and starts watching.
    explicit FifoWatch(std::string path);
    FifoWatch(const FifoWatch&) = delete;
    FifoWatch& operator=(const FifoWatch&) = delete;
    ~FifoWatch();

    const std::string& path() const { return path_; }
    // How often someone was found holding or opening the FIFO.
    int meetings() const { return meetings_.load(); }

  private:
    void watch();

    std::string path_;
    std::atomic<bool> stop_{false};
    std::atomic<int> meetings_{0};
    // A writer whose reader went away gets EPIPE rather than a signal that
    // would end the test program.
    void (*previousPipeHandler_)(int) = SIG_DFL;
    std::thread thread_;
};

}  // namespace lumora::test
