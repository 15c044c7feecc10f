#pragma once

#include <QLabel>
#include <QProgressBar>
#include <cstdint>
#include <string>

#include "platform/ProgressSink.h"

namespace lumora {

// Lets the window repaint in the middle of a long operation that runs on the
// user-interface thread, without delivering clicks or keys: no command can
// start inside another. Input that arrives meanwhile waits until the
// operation has returned.
void repaintNow();

// A status text and an optional progress bar that a long operation updates;
// each update is shown at once (repaintNow). The bar keeps the Windows
// behaviour: a position set outside the range is held at its nearer end, and
// a step past the end starts the bar over from its lower end.
class LabelProgress : public ProgressSink {
  public:
    // The label shows plain text from now on: names are never markup.
    LabelProgress(QLabel* status, QProgressBar* bar = nullptr);

    // Bounds the range, as a bar whose range is 16-bit (65535) is bounded.
    void setRangeLimit(int64_t limit);

    void setStatus(const std::string& text) override;
    void setRange(int64_t lower, int64_t upper) override;
    void setPosition(int64_t position) override;
    void setStep(int64_t step) override;
    void step() override;

    int64_t position() const { return position_; }

  private:
    void showPosition();

    QLabel* status_;
    QProgressBar* bar_;
    int64_t rangeLimit_;
    int64_t lower_ = 0;
    int64_t upper_ = 100;
    int64_t position_ = 0;
    int64_t step_ = 10;
};

// A status line for long work in a window: from its first update until it
// goes, the mouse shows the busy cursor over the whole program, and each
// update shows at once.
class BusyLabelProgress : public LabelProgress {
  public:
    using LabelProgress::LabelProgress;
    BusyLabelProgress(const BusyLabelProgress&) = delete;
    BusyLabelProgress& operator=(const BusyLabelProgress&) = delete;
    ~BusyLabelProgress() override;

    void setStatus(const std::string& text) override;

  private:
    bool busy_ = false;
};

}  // namespace lumora
