#include "platform/ZoneRule.h"

#include <cctype>

namespace lumora {
namespace {

class Reader {
  public:
    explicit Reader(const std::string& text) : text_(text) {}

    bool atEnd() const { return at_ == text_.size(); }
    char peek() const { return atEnd() ? '\0' : text_[at_]; }
    bool take(char c) {
        if (peek() != c) return false;
        ++at_;
        return true;
    }

    // A zone's name: three or more letters, or anything between < and >.
    bool name() {
        if (take('<')) {
            const size_t close = text_.find('>', at_);
            if (close == std::string::npos || close - at_ < 3) return false;
            at_ = close + 1;
            return true;
        }
        const size_t start = at_;
        while (std::isalpha(static_cast<unsigned char>(peek())) != 0) ++at_;
        return at_ - start >= 3;
    }

    bool number(int low, int high, int& value) {
        const size_t start = at_;
        value = 0;
        while (std::isdigit(static_cast<unsigned char>(peek())) != 0 && at_ - start < 3) {
            value = value * 10 + (text_[at_++] - '0');
        }
        return at_ > start && value >= low && value <= high;
    }

    // [+|-]hh[:mm[:ss]] in seconds; hours up to 167, as POSIX allows for
    // the times of a change.
    bool time(int& seconds) {
        const int sign = take('-') ? -1 : (take('+'), 1);
        int hours = 0;
        int minutes = 0;
        int secs = 0;
        if (!number(0, 167, hours)) return false;
        if (take(':') && !number(0, 59, minutes)) return false;
        if (take(':') && !number(0, 59, secs)) return false;
        seconds = sign * (hours * 3600 + minutes * 60 + secs);
        return true;
    }

    // Mm.w.d[/time]
    bool change(ZoneChange& change) {
        if (!take('M') || !number(1, 12, change.month) || !take('.') ||
            !number(1, 5, change.week) || !take('.') || !number(0, 6, change.weekday)) {
            return false;
        }
        change.seconds = 2 * 3600;
        return !take('/') || time(change.seconds);
    }

  private:
    const std::string& text_;
    size_t at_ = 0;
};

}  // namespace

bool parseZoneRule(const std::string& text, ZoneRule& rule) {
    rule = ZoneRule{};
    Reader reader(text);
    if (!reader.name()) return false;
    if (reader.atEnd()) return true;
    if (!reader.time(rule.standardOffset)) return false;
    if (reader.atEnd()) return true;
    if (!reader.name()) return false;
    rule.hasDaylight = true;
    rule.daylightOffset = rule.standardOffset - 3600;
    if (reader.peek() != ',' && !reader.atEnd() && !reader.time(rule.daylightOffset)) return false;
    if (reader.atEnd()) {
        rule.daylightStart = ZoneChange{3, 2, 0, 2 * 3600};
        rule.daylightEnd = ZoneChange{11, 1, 0, 2 * 3600};
        return true;
    }
    return reader.take(',') && reader.change(rule.daylightStart) && reader.take(',') &&
           reader.change(rule.daylightEnd) && reader.atEnd();
}

}  // namespace lumora
