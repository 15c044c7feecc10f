#include "tests/support/TzGuard.h"

#include <stdlib.h>
#include <time.h>

namespace lumora::test {

TzGuard::TzGuard(const std::string& zone) {
    if (const char* old = getenv("TZ")) previous_ = old;
    setenv("TZ", zone.c_str(), 1);
    tzset();
}

TzGuard::~TzGuard() {
    if (previous_) {
        setenv("TZ", previous_->c_str(), 1);
    } else {
        unsetenv("TZ");
    }
    tzset();
}

}  // namespace lumora::test
