// Times the film's thumbnail routine alone, in process, over every picture
// the scan of DIR lists: thumbnail-harness DIR [RUNS] [WORKERS] prints
// "pictures seconds-best ms-per-picture" (the best of RUNS runs). WORKERS 0
// makes them one by one on this thread; more uses the thumbnail queue.
#include "albums/Thumbnail.h"
#include "albums/ThumbnailQueue.h"
#include "catalog/PictureCatalog.h"
#include "platform/Prompter.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

class SkipPrompter : public lumora::Prompter {
  public:
    int ask(const std::string&, const std::string&, lumora::Buttons, lumora::Icon) override {
        return lumora::kAnswerOk;
    }
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s DIR [RUNS] [WORKERS]\n", argv[0]);
        return 2;
    }
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 1;
    const int workers = argc > 3 ? std::atoi(argv[3]) : 0;
    SkipPrompter prompter;
    lumora::PictureCatalog catalog;
    catalog.scanSource(argv[1], true, prompter);
    const lumora::PictureList& pictures = catalog.pictures();
    if (pictures.empty()) {
        std::fprintf(stderr, "no pictures in %s\n", argv[1]);
        return 1;
    }
    double best = 1e30;
    int failed = 0;
    for (int run = 0; run < runs; ++run) {
        failed = 0;
        const auto start = std::chrono::steady_clock::now();
        lumora::ThumbnailQueue queue(lumora::realFileSystem(), pictures, lumora::ThumbnailOptions{},
                                     workers);
        lumora::ThumbnailResult result{};
        lumora::Image thumbnail;
        while (queue.next(result, thumbnail, lumora::nullProgress())) {
            if (result != lumora::ThumbnailResult::Made) ++failed;
        }
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count());
    }
    std::printf("%zu %.6f %.3f\n", pictures.size(), best, best * 1000.0 / pictures.size());
    if (failed != 0) std::fprintf(stderr, "%d pictures gave no thumbnail\n", failed);
    return 0;
}
