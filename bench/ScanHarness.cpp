// Times scanSource alone, in process, and reports the peak resident set:
// scan-harness DIR [RUNS] prints
//   "pictures seconds-best peak-rss-kib cpu-seconds-best",
// the last being the processor time (user and system) the process spent in
// its quickest scan, which a busy machine disturbs far less than the wall
// time. Run with RUNS 1 in fresh processes it measures the scan as the
// program meets it: once, on an empty heap.
#include <sys/resource.h>
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "catalog/PictureCatalog.h"
#include "platform/Prompter.h"

namespace {

// A file that cannot be opened is skipped, as the OK answer does.
class SkipPrompter : public lumora::Prompter {
  public:
    int ask(const std::string&, const std::string&, lumora::Buttons, lumora::Icon) override {
        return lumora::kAnswerOk;
    }
};

double processSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

long peakRssKib() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s DIR [RUNS]\n", argv[0]);
        return 2;
    }
    const int runs = argc > 2 ? std::atoi(argv[2]) : 1;
    SkipPrompter prompter;
    lumora::PictureCatalog catalog;
    double best = 1e30;
    double bestCpu = 1e30;
    int pictures = 0;
    for (int run = 0; run < std::max(1, runs); ++run) {
        catalog.clearPictures();
        catalog.clearDirectories();
        const auto start = std::chrono::steady_clock::now();
        const double cpuStart = processSeconds();
        catalog.scanSource(argv[1], true, prompter);
        const double cpu = processSeconds() - cpuStart;
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count());
        bestCpu = std::min(bestCpu, cpu);
        pictures = catalog.pictureCount();
    }
    std::printf("%d %.6f %ld %.6f\n", pictures, best, peakRssKib(), bestCpu);
    return 0;
}
