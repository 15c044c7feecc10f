#pragma once

#include <cstdint>
#include <string>

namespace lumora {

// Where long operations report their status texts and progress bars. The
// window shows them; the command line prints them on a terminal; tests record
// them. The default implementation ignores everything.
class ProgressSink {
  public:
    virtual ~ProgressSink() = default;
    // Replaces the status text and shows it at once.
    virtual void setStatus(const std::string& /*text*/) {}
    virtual void setRange(int64_t /*lower*/, int64_t /*upper*/) {}
    virtual void setPosition(int64_t /*position*/) {}
    virtual void setStep(int64_t /*step*/) {}
    // Advances the position by the step.
    virtual void step() {}
};

// A sink that drops every report, for callers that show no progress.
ProgressSink& nullProgress();

}  // namespace lumora
