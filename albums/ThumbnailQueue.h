#pragma once

#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "albums/Thumbnail.h"

namespace lumora {

// Makes the thumbnails of a list of pictures on worker threads, a bounded
// number ahead of the caller, who takes them strictly in list order. Each
// thumbnail is made exactly as makeThumbnail makes it, and the status texts of
// each picture reach the caller's sink when that picture is taken, so what the
// caller sees is the same as making them one by one. With no workers the
// thumbnails are made inside next().
//
// The file system must allow calls from several threads at once.
class ThumbnailQueue {
  public:
    ThumbnailQueue(FileSystem& fileSystem, std::vector<PictureEntry> pictures,
                   const ThumbnailOptions& options, int workers, size_t window = 16);
    ThumbnailQueue(const ThumbnailQueue&) = delete;
    ThumbnailQueue& operator=(const ThumbnailQueue&) = delete;
    // Stops the workers; pictures not yet taken are dropped.
    ~ThumbnailQueue();

    size_t size() const { return pictures_.size(); }
    // The result of the next picture in list order; false when all were taken.
    bool next(ThumbnailResult& result, Image& thumbnail, ProgressSink& status);

    // The worker count that suits this machine: one per core.
    static int defaultWorkers();

  private:
    struct Slot {
        ThumbnailResult result = ThumbnailResult::Unreadable;
        Image thumbnail;
        std::vector<std::string> statusTexts;
    };

    void work();
    Slot make(size_t index) const;

    FileSystem& fileSystem_;
    const std::vector<PictureEntry> pictures_;
    const ThumbnailOptions options_;
    const size_t window_;

    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<std::optional<Slot>> slots_;
    size_t claimed_ = 0;  // pictures handed to a worker
    size_t taken_ = 0;    // pictures handed to the caller
    bool stopping_ = false;
    std::vector<std::thread> workers_;
};

}  // namespace lumora
