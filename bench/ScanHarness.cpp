// Times scanSource alone, in process, and reports the peak resident set:
// scan-harness DIR [RUNS] prints "pictures seconds-best peak-rss-kib".
#include <sys/resource.h>

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
    int pictures = 0;
    for (int run = 0; run < std::max(1, runs); ++run) {
        catalog.clearPictures();
        catalog.clearDirectories();
        const auto start = std::chrono::steady_clock::now();
        catalog.scanSource(argv[1], true, prompter);
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count());
        pictures = catalog.pictureCount();
    }
    std::printf("%d %.6f %ld\n", pictures, best, peakRssKib());
    return 0;
}
