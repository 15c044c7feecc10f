#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/ProgressSink.h"

namespace lumora::test {

// Records every status text and progress call in order, as one line each,
// so that tests can compare whole runs.
class RecordingProgress : public ProgressSink {
  public:
    void setStatus(const std::string& text) override {
        events.push_back("status " + text);
        statuses.push_back(text);
    }
    void setRange(int64_t lower, int64_t upper) override {
        events.push_back("range " + std::to_string(lower) + " " + std::to_string(upper));
    }
    void setPosition(int64_t position) override {
        events.push_back("position " + std::to_string(position));
    }
    void setStep(int64_t step) override { events.push_back("step size " + std::to_string(step)); }
    void step() override {
        events.push_back("step");
        ++steps;
    }

    std::vector<std::string> events;
    std::vector<std::string> statuses;
    int64_t steps = 0;
};

}  // namespace lumora::test
