// How far the duplicate signature of a picture taken from its file moves when
// the JPEG data is decoded reduced (libjpeg's scaling to at least the 64 x 64
// work picture) rather than whole, and whether any duplicate decision changes
// with it; and whether the sampled decode (full scale, only the sampled rows
// worked out) gives exactly the whole decode's work picture. For
// bench/signature-decode-check.sh.
//
//   signature-decode-check measure [--runs R] [--min SIDE] --corpus NAME PATH...
//                                  [--corpus NAME PATH...]...
//     PATH is a folder (walked for *.jpg and *.jpeg) or a file. For each
//     corpus: the pictures, the largest and mean change of a signature value,
//     of a picture's own signature (as a distance) and of the distance of
//     every pair, the pairs at distance 0 by each decode and the pairs whose
//     decision differs, whether the comparison pass lists the same groups;
//     how many sampled-decode work pictures and signatures equal the whole
//     decode's; and the time per picture of each of the three paths (median of
//     R runs after a warm-up). --min sets the side the reduced decode must
//     keep (64 by default). Every picture is measured from its file, also one
//     with an embedded thumbnail, which the analysis would use instead (the
//     "thumbnail" column counts them).
//   signature-decode-check near-duplicates DIR FILE...
//     writes near-copies of each picture FILE into DIR (see near_duplicates.h).
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "bench/near_duplicates.h"
#include "catalog/ExifReader.h"
#include "duplicates/DuplicateSearch.h"
#include "duplicates/Signature.h"
#include "imaging/JpegCodec.h"
#include "platform/ProgressSink.h"

namespace {

using lumora::DecodeOptions;
using lumora::Image;
using lumora::SignatureValues;
using Clock = std::chrono::steady_clock;

struct Corpus {
    std::string name;
    std::vector<std::string> paths;
};

struct Picture {
    std::string path;
    std::vector<uint8_t> bytes;
    bool embeddedThumbnail = false;  // the analysis would use it, not the file
};

// One decode path's outcome for every picture, from the first run, and the
// median time of each step.
struct PathResult {
    std::vector<SignatureValues> values;
    std::vector<bool> valid;
    std::vector<bool> jpeg;
    std::vector<int32_t> widths, heights;    // of the decoded pictures
    std::vector<std::vector<uint8_t>> work;  // the 64 x 64 work picture's rows
    double decodeMs = 0;                     // per picture
    double signatureMs = 0;                  // per picture, from the decoded picture
};

double msSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0.0 : values[(values.size() - 1) / 2];
}

bool isJpegName(const std::filesystem::path& path) {
    std::string extension = path.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == ".jpg" || extension == ".jpeg";
}

std::vector<std::string> listFiles(const std::vector<std::string>& paths) {
    std::vector<std::string> files;
    for (const std::string& path : paths) {
        if (!std::filesystem::is_directory(path)) {
            files.push_back(path);
            continue;
        }
        for (const auto& entry : std::filesystem::recursive_directory_iterator(path)) {
            if (entry.is_regular_file() && isJpegName(entry.path())) {
                files.push_back(entry.path().string());
            }
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

bool hasEmbeddedThumbnail(const std::string& path) {
    lumora::ErrorCode error = lumora::kErrorSuccess;
    auto input = lumora::realFileSystem().openRead(path, error);
    if (!input) return false;
    lumora::ExifReader reader;
    reader.setDiagnostics(nullptr);
    reader.decode(*input);
    return reader.info().ThumbnailSize != 0;
}

std::vector<Picture> loadPictures(const Corpus& corpus) {
    std::vector<Picture> pictures;
    for (const std::string& path : listFiles(corpus.paths)) {
        std::ifstream in(path, std::ios::binary);
        Picture picture;
        picture.path = path;
        picture.bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        picture.embeddedThumbnail = hasEmbeddedThumbnail(path);
        pictures.push_back(std::move(picture));
    }
    return pictures;
}

// One pass of a decode path over every picture; returns its two times in
// milliseconds and, when wanted, the signatures and work pictures.
void runPath(const std::vector<Picture>& pictures, const DecodeOptions& options, PathResult* keep,
             double& decodeMs, double& signatureMs) {
    decodeMs = signatureMs = 0;
    for (size_t i = 0; i < pictures.size(); ++i) {
        const Picture& picture = pictures[i];
        auto start = Clock::now();
        const Image image(picture.bytes.data(), picture.bytes.size(), lumora::kFormatUnknown,
                          options);
        decodeMs += msSince(start);
        SignatureValues values{};
        start = Clock::now();
        const bool valid = lumora::signatureOfImage(image, values);
        signatureMs += msSince(start);
        if (keep == nullptr) continue;
        keep->values[i] = values;
        keep->valid[i] = valid;
        keep->jpeg[i] = image.IsValid() && image.GetType() == lumora::kFormatJpeg;
        keep->widths[i] = image.GetWidth();
        keep->heights[i] = image.GetHeight();
        Image work;
        if (work.Copy(image) && work.Resample(lumora::kSignatureSide, lumora::kSignatureSide, 1)) {
            keep->work[i].assign(work.GetBits(), work.GetBits() + work.GetHeader().biSizeImage);
        }
    }
}

struct Measurement {
    size_t pictures = 0;
    size_t withThumbnail = 0;
    size_t comparable = 0;  // a signature by both paths
    size_t failedReduced = 0;
    size_t failedWhole = 0;
    double valueMax = 0, valueMean = 0;
    double selfMax = 0, selfMean = 0;
    size_t pairs = 0;
    double pairMax = 0, pairMean = 0;
    double minNonZeroReduced = INFINITY, minNonZeroWhole = INFINITY;
    size_t duplicatePairsReduced = 0, duplicatePairsWhole = 0;
    size_t decisionsDiffer = 0;
    bool sameGroups = true;
    int duplicatesReduced = 0, duplicatesWhole = 0;
    std::string scales;
    PathResult reduced, whole, sampled;
    std::vector<std::string> differing;  // the pairs whose decision differs
    size_t sameWork = 0;                 // sampled against whole: equal work pictures
    size_t sameSignature = 0;            // and bit-equal signatures
    size_t sampledDecisionsDiffer = 0;
    bool sampledSameGroups = true;
};

std::vector<std::string> groupsOf(const std::vector<Picture>& pictures, const PathResult& path,
                                  int& duplicates) {
    lumora::PictureList list;
    for (size_t i = 0; i < pictures.size(); ++i) {
        lumora::PictureEntry entry;
        entry.path = pictures[i].path;
        entry.exif = std::make_shared<lumora::ExifInfo>();
        if (path.valid[i])
            std::copy(path.values[i].begin(), path.values[i].end(), entry.exif->signature);
        list.push_back(std::move(entry));
    }
    std::vector<std::string> lines;
    duplicates = lumora::findDuplicates(list, lines, lumora::nullProgress());
    return lines;
}

Measurement measure(const std::vector<Picture>& pictures, const DecodeOptions& reducedOptions,
                    int runs) {
    Measurement m;
    m.pictures = pictures.size();
    for (const Picture& picture : pictures) m.withThumbnail += picture.embeddedThumbnail ? 1 : 0;
    for (PathResult* path : {&m.reduced, &m.whole, &m.sampled}) {
        path->values.assign(pictures.size(), SignatureValues{});
        path->valid.assign(pictures.size(), false);
        path->jpeg.assign(pictures.size(), false);
        path->widths.assign(pictures.size(), 0);
        path->heights.assign(pictures.size(), 0);
        path->work.assign(pictures.size(), {});
    }

    // The paths take turns, so that none always runs on a warmer cache.
    constexpr int kPaths = 3;
    std::vector<double> decode[kPaths], signature[kPaths];
    DecodeOptions sampledOptions;
    sampledOptions.sampleWidth = sampledOptions.sampleHeight = lumora::kSignatureSide;
    const DecodeOptions options[kPaths] = {reducedOptions, DecodeOptions{}, sampledOptions};
    PathResult* results[kPaths] = {&m.reduced, &m.whole, &m.sampled};
    for (int run = 0; run <= runs; ++run) {
        for (int turn = 0; turn < kPaths; ++turn) {
            const int p = (run + turn) % kPaths;
            double decodeMs = 0, signatureMs = 0;
            runPath(pictures, options[p], run == 0 ? results[p] : nullptr, decodeMs, signatureMs);
            if (run == 0) continue;  // the warm-up run keeps the signatures only
            decode[p].push_back(decodeMs / std::max<size_t>(1, pictures.size()));
            signature[p].push_back(signatureMs / std::max<size_t>(1, pictures.size()));
        }
    }
    for (int p = 0; p < kPaths; ++p) {
        results[p]->decodeMs = median(decode[p]);
        results[p]->signatureMs = median(signature[p]);
    }

    // The scales the reduced path decoded the JPEG pictures at.
    std::set<int> numerators;
    for (size_t i = 0; i < pictures.size(); ++i) {
        if (!m.whole.jpeg[i]) continue;
        numerators.insert(
            lumora::jpegScaleNumerator(m.whole.widths[i], m.whole.heights[i], reducedOptions));
    }
    for (int numerator : numerators) {
        if (!m.scales.empty()) m.scales += ',';
        m.scales += std::to_string(numerator);
        m.scales += "/8";
    }

    double valueSum = 0, selfSum = 0;
    for (size_t i = 0; i < pictures.size(); ++i) {
        if (!m.reduced.valid[i]) ++m.failedReduced;
        if (!m.whole.valid[i]) ++m.failedWhole;
        if (!m.reduced.valid[i] || !m.whole.valid[i]) continue;
        ++m.comparable;
        for (int k = 0; k < lumora::kSignatureLength; ++k) {
            const double change = std::fabs(m.reduced.values[i][k] - m.whole.values[i][k]);
            m.valueMax = std::max(m.valueMax, change);
            valueSum += change;
        }
        const double self =
            lumora::signatureDistance(m.reduced.values[i].data(), m.whole.values[i].data());
        m.selfMax = std::max(m.selfMax, self);
        selfSum += self;
    }
    if (m.comparable > 0) {
        m.valueMean = valueSum / (m.comparable * lumora::kSignatureLength);
        m.selfMean = selfSum / m.comparable;
    }

    double pairSum = 0;
    for (size_t i = 0; i < pictures.size(); ++i) {
        for (size_t j = i + 1; j < pictures.size(); ++j) {
            // A picture without a signature is never a duplicate; a pair
            // where only one path has both signatures is a changed decision.
            const bool bothReduced = m.reduced.valid[i] && m.reduced.valid[j];
            const bool bothWhole = m.whole.valid[i] && m.whole.valid[j];
            const double reduced = bothReduced
                                       ? lumora::signatureDistance(m.reduced.values[i].data(),
                                                                   m.reduced.values[j].data())
                                       : -1;
            const double whole = bothWhole ? lumora::signatureDistance(m.whole.values[i].data(),
                                                                       m.whole.values[j].data())
                                           : -1;
            const bool duplicateReduced = reduced == 0.0;
            const bool duplicateWhole = whole == 0.0;
            m.duplicatePairsReduced += duplicateReduced ? 1 : 0;
            m.duplicatePairsWhole += duplicateWhole ? 1 : 0;
            if (duplicateReduced != duplicateWhole) {
                ++m.decisionsDiffer;
                m.differing.push_back(
                    pictures[i].path + "  " + pictures[j].path +
                    (duplicateReduced ? "  (reduced: duplicate)" : "  (whole: duplicate)"));
            }
            if (reduced > 0) m.minNonZeroReduced = std::min(m.minNonZeroReduced, reduced);
            if (whole > 0) m.minNonZeroWhole = std::min(m.minNonZeroWhole, whole);
            if (!bothReduced || !bothWhole) continue;
            const double change = std::fabs(reduced - whole);
            m.pairMax = std::max(m.pairMax, change);
            pairSum += change;
            ++m.pairs;
        }
    }
    if (m.pairs > 0) m.pairMean = pairSum / m.pairs;

    const auto reducedGroups = groupsOf(pictures, m.reduced, m.duplicatesReduced);
    const auto wholeGroups = groupsOf(pictures, m.whole, m.duplicatesWhole);
    m.sameGroups = reducedGroups == wholeGroups;

    for (size_t i = 0; i < pictures.size(); ++i) {
        if (m.sampled.work[i] == m.whole.work[i]) ++m.sameWork;
        if (m.sampled.valid[i] == m.whole.valid[i] &&
            std::memcmp(m.sampled.values[i].data(), m.whole.values[i].data(),
                        sizeof(SignatureValues)) == 0) {
            ++m.sameSignature;
        }
        for (size_t j = i + 1; j < pictures.size(); ++j) {
            const auto duplicates = [&](const PathResult& path) {
                return path.valid[i] && path.valid[j] &&
                       lumora::signatureDistance(path.values[i].data(), path.values[j].data()) ==
                           0.0;
            };
            if (duplicates(m.sampled) != duplicates(m.whole)) ++m.sampledDecisionsDiffer;
        }
    }
    int sampledDuplicates = 0;
    m.sampledSameGroups = groupsOf(pictures, m.sampled, sampledDuplicates) == wholeGroups;
    return m;
}

// Prints a number of pictures or pairs, and "-" for a distance never seen.
std::string distance(double value) {
    if (std::isinf(value)) return "-";
    char text[32];
    std::snprintf(text, sizeof text, "%.3g", value);
    return text;
}

void printTables(const std::vector<Corpus>& corpora, const std::vector<Measurement>& results,
                 int runs) {
    std::printf("\n== signature values: reduced decode against whole decode\n");
    std::printf("%-14s %8s %9s %8s %9s %10s %10s %10s %10s\n", "corpus", "pictures", "thumbnail",
                "compared", "scale", "value max", "value mean", "own max", "own mean");
    for (size_t c = 0; c < corpora.size(); ++c) {
        const Measurement& m = results[c];
        std::printf("%-14s %8zu %9zu %8zu %9s %10.3g %10.3g %10.3g %10.3g\n",
                    corpora[c].name.c_str(), m.pictures, m.withThumbnail, m.comparable,
                    m.scales.c_str(), m.valueMax, m.valueMean, m.selfMax, m.selfMean);
    }
    std::printf("\n== pairwise distances and duplicate decisions\n");
    std::printf("%-14s %9s %10s %10s %19s %13s %9s %7s %7s\n", "corpus", "pairs", "change max",
                "change mean", "closest red./whole", "dup pairs r/w", "differ", "groups", "failed");
    for (size_t c = 0; c < corpora.size(); ++c) {
        const Measurement& m = results[c];
        const std::string closest =
            distance(m.minNonZeroReduced) + " / " + distance(m.minNonZeroWhole);
        const std::string duplicates =
            std::to_string(m.duplicatePairsReduced) + " / " + std::to_string(m.duplicatePairsWhole);
        const std::string failed =
            std::to_string(m.failedReduced) + "/" + std::to_string(m.failedWhole);
        std::printf("%-14s %9zu %10.3g %10.3g %19s %13s %9zu %7s %7s\n", corpora[c].name.c_str(),
                    m.pairs, m.pairMax, m.pairMean, closest.c_str(), duplicates.c_str(),
                    m.decisionsDiffer, m.sameGroups ? "same" : "DIFFER", failed.c_str());
    }
    std::printf("\n== sampled decode (full scale, sampled rows only) against whole decode\n");
    std::printf("%-14s %8s %12s %15s %9s %7s\n", "corpus", "pictures", "same pixels",
                "same signature", "differ", "groups");
    for (size_t c = 0; c < corpora.size(); ++c) {
        const Measurement& m = results[c];
        std::printf("%-14s %8zu %12zu %15zu %9zu %7s\n", corpora[c].name.c_str(), m.pictures,
                    m.sameWork, m.sameSignature, m.sampledDecisionsDiffer,
                    m.sampledSameGroups ? "same" : "DIFFER");
    }
    std::printf(
        "\n== time per picture in ms, decode and decode + signature (median of %d runs; the "
        "file already in memory)\n",
        runs);
    std::printf("%-14s %8s %9s %9s %9s %9s %9s %9s %9s %9s\n", "corpus", "pictures", "reduced",
                "sampled", "whole", "reduced", "sampled", "whole", "whole/red", "whole/smp");
    for (size_t c = 0; c < corpora.size(); ++c) {
        const Measurement& m = results[c];
        const double reduced = m.reduced.decodeMs + m.reduced.signatureMs;
        const double sampled = m.sampled.decodeMs + m.sampled.signatureMs;
        const double whole = m.whole.decodeMs + m.whole.signatureMs;
        std::printf("%-14s %8zu %9.3f %9.3f %9.3f %9.3f %9.3f %9.3f %9.1f %9.1f\n",
                    corpora[c].name.c_str(), m.pictures, m.reduced.decodeMs, m.sampled.decodeMs,
                    m.whole.decodeMs, reduced, sampled, whole, reduced > 0 ? whole / reduced : 0.0,
                    sampled > 0 ? whole / sampled : 0.0);
    }
    for (size_t c = 0; c < corpora.size(); ++c) {
        if (results[c].differing.empty()) continue;
        std::printf("\n== %s: pairs whose decision differs\n", corpora[c].name.c_str());
        for (const std::string& line : results[c].differing) std::printf("%s\n", line.c_str());
    }
}

int measureCommand(int argc, char** argv) {
    int runs = 3;
    int side = lumora::kSignatureSide;
    std::vector<Corpus> corpora;
    for (int i = 2; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--runs" && i + 1 < argc) {
            runs = std::max(1, std::atoi(argv[++i]));
        } else if (arg == "--min" && i + 1 < argc) {
            side = std::max(1, std::atoi(argv[++i]));
        } else if (arg == "--corpus" && i + 1 < argc) {
            corpora.push_back({argv[++i], {}});
        } else if (!corpora.empty()) {
            corpora.back().paths.push_back(arg);
        } else {
            return 2;
        }
    }
    if (corpora.empty()) return 2;
    std::vector<Measurement> results;
    for (const Corpus& corpus : corpora) {
        const std::vector<Picture> pictures = loadPictures(corpus);
        std::fprintf(stderr, "== %s: %zu pictures\n", corpus.name.c_str(), pictures.size());
        results.push_back(measure(pictures, DecodeOptions{side, side}, runs));
    }
    std::printf("reduced decode: the largest libjpeg scale that keeps at least %d x %d\n", side,
                side);
    printTables(corpora, results, runs);
    return 0;
}

int nearDuplicatesCommand(int argc, char** argv) {
    if (argc < 4) return 2;
    const std::string folder = argv[2];
    std::filesystem::create_directories(folder);
    int written = 0;
    for (int i = 3; i < argc; ++i) {
        const Image source(argv[i], lumora::kFormatUnknown);
        std::string stem = std::filesystem::path(argv[i]).stem().string();
        stem = std::to_string(i - 2) + "-" + stem;
        std::string error;
        const int count = lumora::bench::writeNearDuplicates(source, folder, stem,
                                                             static_cast<uint32_t>(i), error);
        if (count < 0) {
            std::fprintf(stderr, "signature-decode-check: %s\n", error.c_str());
            return 1;
        }
        written += count;
    }
    std::fprintf(stderr, "wrote %d near-duplicates to %s\n", written, folder.c_str());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    int status = 2;
    if (mode == "measure") status = measureCommand(argc, argv);
    if (mode == "near-duplicates") status = nearDuplicatesCommand(argc, argv);
    if (status == 2) {
        std::fprintf(stderr,
                     "usage: signature-decode-check measure [--runs R] [--min SIDE] "
                     "--corpus NAME PATH... [--corpus NAME PATH...]...\n"
                     "       signature-decode-check near-duplicates DIR FILE...\n");
    }
    return status;
}
