#include "albums/FilmRange.h"

namespace lumora {

std::optional<TimeSpan> filmSpan(const FilmList& film, SpanOf which) {
    std::optional<TimeSpan> span;
    for (const PictureEntry& picture : film) {
        if (which == SpanOf::CountedPictures && picture.isNegative) continue;
        if (!span) {
            span = TimeSpan{picture.dateTime, picture.dateTime};
        } else if (picture.dateTime < span->earliest) {
            span->earliest = picture.dateTime;
        } else if (picture.dateTime > span->latest) {
            span->latest = picture.dateTime;
        }
    }
    return span;
}

}  // namespace lumora
