#pragma once

#include <QElapsedTimer>
#include <QLabel>
#include <string>

#include "platform/ProgressSink.h"

namespace lumora {

// The Edit Album dialog's status line while the film is built. Every text is
// taken in order; the label shows the latest one and the window repaints at
// most every few hundredths of a second, since 20,000 pictures give 40,000
// texts that nobody could read one by one. flush() shows the latest text at
// once, before a question is asked and when a run ends.
class StatusLine : public ProgressSink {
  public:
    explicit StatusLine(QLabel* label);

    void setStatus(const std::string& text) override;
    void flush();
    // Every text also goes to the watcher (tests and scripted runs read the
    // whole sequence there); null for none.
    void setWatcher(ProgressSink* watcher) { watcher_ = watcher; }

  private:
    QLabel* label_;
    ProgressSink* watcher_ = nullptr;
    std::string latest_;
    bool shown_ = true;
    QElapsedTimer sinceRepaint_;
};

}  // namespace lumora
