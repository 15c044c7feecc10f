#include "tests/support/FifoWatch.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <utility>

namespace lumora::test {

FifoWatch::FifoWatch(std::string path) : path_(std::move(path)) {
    EXPECT_EQ(::mkfifo(path_.c_str(), 0666), 0) << path_;
    previousPipeHandler_ = std::signal(SIGPIPE, SIG_IGN);
    thread_ = std::thread([this] { watch(); });
}

FifoWatch::~FifoWatch() {
    stop_ = true;
    thread_.join();
    std::signal(SIGPIPE, previousPipeHandler_);
}

void FifoWatch::watch() {
    while (!stop_) {
        // Succeeds only while a reader holds the FIFO or waits for a writer.
        int fd = ::open(path_.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd >= 0) {
            ++meetings_;
            ::close(fd);
        }
        // Always succeeds; a writer is there when the read finds data or
        // would wait for it (with no writer it finds the end at once).
        fd = ::open(path_.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd >= 0) {
            char byte = 0;
            const ssize_t got = ::read(fd, &byte, 1);
            if (got > 0 || (got < 0 && errno == EAGAIN)) ++meetings_;
            ::close(fd);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

}  // namespace lumora::test
