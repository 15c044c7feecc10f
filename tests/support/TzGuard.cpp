#include "tests/support/TzGuard.h"

#include <stdlib.h>
#include <time.h>

namespace lumora::test {
namespace {

#ifdef _WIN32
// Windows' runtime has _putenv_s, and an empty value removes the variable.
void setZone(const char* zone) {
    _putenv_s("TZ", zone);
}
void clearZone() {
    _putenv_s("TZ", "");
}
#else
void setZone(const char* zone) {
    setenv("TZ", zone, 1);
}
void clearZone() {
    unsetenv("TZ");
}
#endif

}  // namespace

TzGuard::TzGuard(const std::string& zone) {
    if (const char* old = getenv("TZ")) previous_ = old;
    setZone(zone.c_str());
    tzset();
}

TzGuard::~TzGuard() {
    if (previous_) {
        setZone(previous_->c_str());
    } else {
        clearZone();
    }
    tzset();
}

}  // namespace lumora::test
