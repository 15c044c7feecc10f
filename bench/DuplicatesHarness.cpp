// Timing of the duplicate search, for bench/duplicates-bench.sh.
//   duplicates-harness signatures DIR HELPERS [LIST]
//     scans DIR, then times the analysis pass with HELPERS decode-ahead
//     threads; writes the analysed paths to LIST when given.
//   duplicates-harness compare N [--no-pairwise]
//     times the grouped and the pairwise comparison of N signatures (one in
//     ten a copy of an earlier one) and checks that they agree.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "catalog/PictureCatalog.h"
#include "duplicates/DuplicateSearch.h"
#include "duplicates/SignatureAnalysis.h"
#include "platform/ProgressSink.h"
#include "platform/Prompter.h"
#include "platform/Time.h"

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

class SkipPrompter : public lumora::Prompter {
  public:
    int ask(const std::string&, const std::string&, lumora::Buttons, lumora::Icon) override {
        return lumora::kAnswerOk;
    }
};

int signatures(const std::string& folder, int helpers, const char* listPath) {
    SkipPrompter prompter;
    lumora::PictureCatalog catalog;
    catalog.scanSource(folder, true, prompter);
    lumora::PictureList& pictures = catalog.pictures();
    size_t withThumbnail = 0;
    for (const lumora::PictureEntry& picture : pictures) {
        if (picture.exif->ThumbnailOffset != 0) ++withThumbnail;
    }
    const auto start = Clock::now();
    const int stored = lumora::analysePictures(pictures, lumora::nullProgress(),
                                               lumora::realFileSystem(), helpers);
    const double seconds = secondsSince(start);
    std::printf(
        "pictures %zu with_thumbnail %zu analysed %d helpers %d seconds %.4f "
        "per_second %.1f\n",
        pictures.size(), withThumbnail, stored, helpers, seconds,
        seconds > 0 ? pictures.size() / seconds : 0.0);
    if (listPath != nullptr) {
        std::FILE* list = std::fopen(listPath, "w");
        if (list == nullptr) return 1;
        for (const lumora::PictureEntry& picture : pictures) {
            std::fprintf(list, "%s\n", picture.path.c_str());
        }
        std::fclose(list);
    }
    return 0;
}

lumora::PictureList randomSignatures(size_t count) {
    std::mt19937_64 random(42);
    std::uniform_real_distribution<double> value(0.01, 1.0);
    lumora::PictureList pictures(count);
    for (size_t i = 0; i < count; ++i) {
        lumora::PictureEntry& picture = pictures[i];
        picture.path = "/corpus/" + std::to_string(i) + ".jpg";
        picture.exif = std::make_shared<lumora::ExifInfo>();
        if (i > 0 && random() % 10 == 0) {
            *picture.exif = *pictures[random() % i].exif;
            continue;
        }
        double total = 0;
        for (double& element : picture.exif->signature) total += element = value(random);
        for (double& element : picture.exif->signature) element /= total;
    }
    return pictures;
}

int compare(size_t count, bool pairwise) {
    lumora::PictureList pictures = randomSignatures(count);
    std::vector<std::string> grouped;
    auto start = Clock::now();
    const int foundGrouped = lumora::findDuplicates(pictures, grouped, lumora::nullProgress());
    const double groupedSeconds = secondsSince(start);
    std::printf("signatures %zu grouped_seconds %.4f duplicates %d", count, groupedSeconds,
                foundGrouped);
    if (pairwise) {
        std::vector<std::string> reference;
        start = Clock::now();
        const int foundPairwise =
            lumora::findDuplicatesPairwise(pictures, reference, lumora::nullProgress());
        const double pairwiseSeconds = secondsSince(start);
        std::printf(" pairwise_seconds %.4f ratio %.1f agree %s", pairwiseSeconds,
                    pairwiseSeconds / groupedSeconds,
                    foundPairwise == foundGrouped && reference == grouped ? "yes" : "NO");
    }
    std::printf("\n");
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "signatures" && argc >= 4) {
        return signatures(argv[2], std::atoi(argv[3]), argc > 4 ? argv[4] : nullptr);
    }
    if (mode == "compare" && argc >= 3) {
        const bool pairwise = !(argc > 3 && std::string(argv[3]) == "--no-pairwise");
        return compare(std::strtoull(argv[2], nullptr, 10), pairwise);
    }
    std::fprintf(stderr,
                 "usage: duplicates-harness signatures DIR HELPERS [LIST]\n"
                 "       duplicates-harness compare N [--no-pairwise]\n");
    return 2;
}
