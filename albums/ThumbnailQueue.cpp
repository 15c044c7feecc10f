#include "albums/ThumbnailQueue.h"

#include <algorithm>
#include <utility>

namespace lumora {
namespace {

// Keeps a picture's status texts until the caller takes its thumbnail.
class RecordingSink : public ProgressSink {
  public:
    explicit RecordingSink(std::vector<std::string>& texts) : texts_(texts) {}
    void setStatus(const std::string& text) override { texts_.push_back(text); }

  private:
    std::vector<std::string>& texts_;
};

}  // namespace

ThumbnailQueue::ThumbnailQueue(FileSystem& fileSystem, std::vector<PictureEntry> pictures,
                               const ThumbnailOptions& options, int workers, size_t window)
    : fileSystem_(fileSystem),
      pictures_(std::move(pictures)),
      options_(options),
      window_(std::max<size_t>(1, window)),
      slots_(pictures_.size()) {
    const size_t count = std::min(static_cast<size_t>(std::max(0, workers)), pictures_.size());
    for (size_t i = 0; i < count; ++i) workers_.emplace_back([this] { work(); });
}

ThumbnailQueue::~ThumbnailQueue() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    for (std::thread& worker : workers_) worker.join();
}

int ThumbnailQueue::defaultWorkers() {
    const unsigned cores = std::thread::hardware_concurrency();
    return static_cast<int>(std::clamp(cores, 1u, 16u));
}

ThumbnailQueue::Slot ThumbnailQueue::make(size_t index) const {
    Slot slot;
    RecordingSink sink(slot.statusTexts);
    slot.result = makeThumbnail(fileSystem_, pictures_[index], options_, sink, slot.thumbnail);
    return slot;
}

void ThumbnailQueue::work() {
    std::unique_lock lock(mutex_);
    for (;;) {
        // Stay at most a window ahead of the caller, so that memory stays small.
        changed_.wait(lock, [this] {
            return stopping_ || claimed_ >= pictures_.size() || claimed_ < taken_ + window_;
        });
        if (stopping_ || claimed_ >= pictures_.size()) return;
        const size_t index = claimed_++;
        lock.unlock();
        Slot slot = make(index);
        lock.lock();
        slots_[index] = std::move(slot);
        changed_.notify_all();
    }
}

bool ThumbnailQueue::next(ThumbnailResult& result, Image& thumbnail, ProgressSink& status) {
    std::optional<Slot> slot;
    {
        std::unique_lock lock(mutex_);
        if (taken_ >= pictures_.size()) return false;
        const size_t index = taken_;
        if (workers_.empty()) {
            claimed_ = index + 1;
            lock.unlock();
            slot = make(index);
            lock.lock();
        } else {
            changed_.wait(lock, [&] { return slots_[index].has_value(); });
            slot = std::move(slots_[index]);
            slots_[index].reset();
        }
        ++taken_;
    }
    changed_.notify_all();
    for (const std::string& text : slot->statusTexts) status.setStatus(text);
    result = slot->result;
    thumbnail = std::move(slot->thumbnail);
    return true;
}

}  // namespace lumora
