#pragma once

#include <optional>
#include <string>

namespace lumora::test {

// Sets the TZ variable for the guard's lifetime (and tells the runtime with
// tzset), then puts the old value back. Prefer POSIX zone strings such as
// "EST5EDT,M3.2.0,M11.1.0": they need no zone database.
class TzGuard {
  public:
    explicit TzGuard(const std::string& zone);
    TzGuard(const TzGuard&) = delete;
    TzGuard& operator=(const TzGuard&) = delete;
    ~TzGuard();

  private:
    std::optional<std::string> previous_;
};

}  // namespace lumora::test
