#include "duplicates/SignatureAnalysis.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "duplicates/DuplicateTexts.h"
#include "duplicates/Signature.h"

namespace lumora {
namespace {

constexpr int kMaxHelpers = 3;

struct Result {
    SignatureValues values{};
    bool valid = false;
};

// The pictures without a signature when the pass starts, computed by whichever
// thread claims them first; claims go in list order, so the caller, which
// also claims work while it waits, is never far behind its helpers.
class SignatureJobs {
  public:
    SignatureJobs(PictureList sources, FileSystem& fileSystem)
        : sources_(std::move(sources)),
          results_(sources_.size()),
          done_(std::make_unique<std::atomic<bool>[]>(sources_.size())),
          fileSystem_(fileSystem) {}

    // Claims and computes jobs until none is left.
    void work() {
        while (runOne()) {
        }
    }

    // The result of job index, computing other jobs while it is not ready.
    const Result& await(size_t index) {
        while (!done_[index].load(std::memory_order_acquire)) {
            if (runOne()) continue;
            std::unique_lock lock(mutex_);
            ready_.wait(lock, [&] { return done_[index].load(std::memory_order_acquire); });
        }
        return results_[index];
    }

  private:
    bool runOne() {
        const size_t index = next_.fetch_add(1, std::memory_order_relaxed);
        if (index >= sources_.size()) return false;
        Result& result = results_[index];
        result.valid = signatureOfPicture(sources_[index], fileSystem_, result.values);
        {
            // Under the lock, so that a waiter cannot miss the notification.
            std::lock_guard lock(mutex_);
            done_[index].store(true, std::memory_order_release);
        }
        ready_.notify_all();
        return true;
    }

    PictureList
        sources_;  // copies: they share the records, whose signatures only the caller writes
    std::vector<Result> results_;
    std::unique_ptr<std::atomic<bool>[]> done_;
    std::atomic<size_t> next_{0};
    std::mutex mutex_;
    std::condition_variable ready_;
    FileSystem& fileSystem_;
};

}  // namespace

int defaultAnalysisHelpers() {
    const unsigned cores = std::thread::hardware_concurrency();
    if (cores <= 1) return 0;
    return std::min(static_cast<int>(cores) - 1, kMaxHelpers);
}

int analysePictures(PictureList& pictures, ProgressSink& progress, FileSystem& fileSystem,
                    int helpers) {
    progress.setRange(0, static_cast<int64_t>(pictures.size()));
    progress.setPosition(0);
    progress.setStep(1);

    PictureList sources;
    std::vector<size_t> jobOf(pictures.size(), SIZE_MAX);
    for (size_t i = 0; i < pictures.size(); ++i) {
        if (pictures[i].exif && !hasSignature(pictures[i])) {
            jobOf[i] = sources.size();
            sources.push_back(pictures[i]);
        }
    }
    const size_t jobCount = sources.size();
    SignatureJobs jobs(std::move(sources), fileSystem);
    std::vector<std::jthread> threads;
    if (jobCount > 1) {
        for (int h = 0; h < helpers; ++h) threads.emplace_back([&jobs] { jobs.work(); });
    }

    int stored = 0;
    for (size_t i = 0; i < pictures.size(); ++i) {
        progress.setStatus(analysingText(static_cast<int64_t>(i) + 1));
        // An entry sharing its record with an earlier one already got its
        // signature there; the pass without helpers would not compute it again.
        if (jobOf[i] != SIZE_MAX && !hasSignature(pictures[i])) {
            const Result& result = jobs.await(jobOf[i]);
            if (result.valid) {
                std::copy(result.values.begin(), result.values.end(), pictures[i].exif->signature);
                ++stored;
            }
        }
        progress.step();
    }
    progress.setStatus(kAnalysisFinishedText);
    return stored;
}

}  // namespace lumora
