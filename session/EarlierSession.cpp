#include "session/EarlierSession.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <unordered_map>
#include <vector>

#include "albums/PictureSort.h"
#include "catalog/DateTimeValue.h"
#include "platform/Time.h"
#include "session/EarlierTimeValue.h"

namespace lumora {
namespace {

// The pictures' earlier values under one bias, and the order they give:
// order[k] is the index (in the rescanned list) of the picture that record k
// was written for.
struct Candidate {
    int32_t bias = 0;
    std::vector<uint64_t> values;
    std::vector<size_t> order;
};

int32_t biasAt(int64_t unixSeconds) {
    std::tm fields{};
    if (!unixToLocalFields(unixSeconds, fields)) return 0;
    // The local wall-clock time read as UTC, less the instant: the zone's
    // offset (what tm_gmtoff holds where the runtime has it; Windows' has not).
    return static_cast<int32_t>(-(utcFieldsToUnix(fields) - unixSeconds) / 60);
}

// Every bias the zone uses in the pictures' years and this one, found by
// probing each season (so both hemispheres' daylight saving is seen).
std::vector<int32_t> zoneBiases(const PictureList& pictures) {
    std::vector<int> years;
    std::tm now{};
    if (unixToLocalFields(static_cast<int64_t>(std::time(nullptr)), now)) {
        years.push_back(now.tm_year + 1900);
    }
    for (const PictureEntry& entry : pictures) {
        std::tm fields{};
        if (valueFields(entry.dateTime, fields)) years.push_back(fields.tm_year + 1900);
    }
    std::sort(years.begin(), years.end());
    years.erase(std::unique(years.begin(), years.end()), years.end());
    std::vector<int32_t> biases;
    for (int year : years) {
        for (int month = 1; month <= 12; month += 3) {
            const int32_t bias = biasAt(utcFieldsToUnix(calendarFields(year, month, 15, 12, 0, 0)));
            if (std::find(biases.begin(), biases.end(), bias) == biases.end()) {
                biases.push_back(bias);
            }
        }
    }
    return biases;
}

Candidate candidateFor(int32_t bias, const PictureList& pictures) {
    Candidate candidate;
    candidate.bias = bias;
    std::unordered_map<std::string, size_t> indexOfPath;
    PictureList earlier = pictures;
    for (size_t i = 0; i < pictures.size(); ++i) {
        const char* text = pictures[i].exif ? pictures[i].exif->DateTime : "";
        char terminated[sizeof ExifInfo{}.DateTime + 1] = {};
        std::memcpy(terminated, text, std::min(std::strlen(text), sizeof terminated - 1));
        candidate.values.push_back(earlierDateTimeValue(terminated, bias));
        earlier[i].dateTime = candidate.values.back();
        indexOfPath.emplace(pictures[i].path, i);
    }
    // The date sort of the time, ties by path included.
    sortPictures(earlier, kSortByDate, false);
    for (const PictureEntry& entry : earlier) candidate.order.push_back(indexOfPath[entry.path]);
    return candidate;
}

bool rangeIsSet(const Album& album) {
    return album.startKey != 0 && album.endKey != 0;
}

// The positions of the records of each album, by album id.
using RecordsByAlbum = std::unordered_map<int32_t, std::vector<size_t>>;

RecordsByAlbum recordsByAlbum(const SessionData& data) {
    RecordsByAlbum byAlbum;
    for (size_t k = 0; k < data.pictures.size(); ++k) {
        if (data.pictures[k].albumId != 0) byAlbum[data.pictures[k].albumId].push_back(k);
    }
    return byAlbum;
}

const std::vector<size_t>& recordsOf(const RecordsByAlbum& byAlbum, int32_t id) {
    static const std::vector<size_t> none;
    const auto found = byAlbum.find(id);
    return found == byAlbum.end() ? none : found->second;
}

// Every album's pictures within its stored range (either way round: a range
// taken from a film sorted descending starts at its latest picture).
bool fits(const Candidate& candidate, const RecordsByAlbum& byAlbum, const AlbumList& albums) {
    for (const Album& album : albums) {
        if (!rangeIsSet(album)) continue;
        const uint64_t low = std::min(album.startKey, album.endKey);
        const uint64_t high = std::max(album.startKey, album.endKey);
        for (size_t k : recordsOf(byAlbum, album.id)) {
            const uint64_t value = candidate.values[candidate.order[k]];
            if (value < low || value > high) return false;
        }
    }
    return true;
}

// One end of a stored range in current values. An end that is the earlier
// value of one of the album's pictures becomes that picture's value; another
// becomes the wall-clock time it showed: under the bias the file was
// written with when that is known, else the zone's time at that instant.
uint64_t convertedEnd(uint64_t stored, bool lowerEnd, const std::vector<uint64_t>& earlierValues,
                      const std::vector<uint64_t>& values, std::optional<int32_t> bias) {
    if (stored == 0) return 0;
    std::optional<uint64_t> match;
    for (size_t i = 0; i < earlierValues.size(); ++i) {
        if (earlierValues[i] != stored) continue;
        match = !match ? values[i]
                       : (lowerEnd ? std::min(*match, values[i]) : std::max(*match, values[i]));
    }
    if (match) return *match;
    const int64_t instant = fileTimeToUnix(stored);
    const int64_t wallClock = instant - static_cast<int64_t>(bias ? *bias : biasAt(instant)) * 60;
    return std::max<uint64_t>(unixToFileTime(wallClock), 1);
}

void convertRange(Album& album, const RecordsByAlbum& byAlbum, const Candidate& chosen,
                  const PictureList& ordered, std::optional<int32_t> bias) {
    std::vector<uint64_t> earlierValues;
    std::vector<uint64_t> values;
    for (size_t k : recordsOf(byAlbum, album.id)) {
        earlierValues.push_back(chosen.values[chosen.order[k]]);
        values.push_back(ordered[k].dateTime);
    }
    const bool startIsLower = album.startKey <= album.endKey;
    const auto convert = [&](uint64_t stored, bool isStart) {
        return convertedEnd(stored, isStart == startIsLower, earlierValues, values, bias);
    };
    album.startTime = convert(album.startTime, true);
    album.endTime = convert(album.endTime, false);
    album.startKey = convert(album.startKey, true);
    album.endKey = convert(album.endKey, false);
    if (!rangeIsSet(album) || values.empty()) return;
    uint64_t& low = startIsLower ? album.startKey : album.endKey;
    uint64_t& high = startIsLower ? album.endKey : album.startKey;
    low = std::min(low, *std::min_element(values.begin(), values.end()));
    high = std::max(high, *std::max_element(values.begin(), values.end()));
    album.startTime = album.startKey;
    album.endTime = album.endKey;
}

}  // namespace

bool holdsZoneFreeValues(const SessionData& data) {
    return std::memcmp(data.header, kZoneFreeSessionMark, sizeof data.header) == 0;
}

bool adaptEarlierSession(const SessionData& data, AlbumList& albums, PictureList& pictures) {
    if (holdsZoneFreeValues(data)) return true;
    if (pictures.size() != data.pictures.size()) return false;

    const RecordsByAlbum byAlbum = recordsByAlbum(data);
    std::vector<Candidate> candidates;
    for (int32_t bias : zoneBiases(pictures)) candidates.push_back(candidateFor(bias, pictures));
    std::vector<const Candidate*> fitting;
    for (const Candidate& candidate : candidates) {
        if (fits(candidate, byAlbum, albums)) fitting.push_back(&candidate);
    }
    const auto sameOrder = [](const std::vector<const Candidate*>& list) {
        return std::all_of(list.begin(), list.end(),
                           [&](const Candidate* c) { return c->order == list.front()->order; });
    };
    // Only an order under which the stored ranges hold their pictures is
    // trusted: a file written in another zone may order its pictures under a
    // bias this zone never has.
    if (fitting.empty() || !sameOrder(fitting)) return false;
    const Candidate* chosen = fitting.front();
    // The bias the file was written with, when only one fits its ranges.
    const std::optional<int32_t> bias =
        fitting.size() == 1 ? std::optional<int32_t>(fitting.front()->bias) : std::nullopt;

    PictureList ordered;
    ordered.reserve(pictures.size());
    for (size_t index : chosen->order) ordered.push_back(std::move(pictures[index]));
    pictures = std::move(ordered);
    for (Album& album : albums) convertRange(album, byAlbum, *chosen, pictures, bias);
    return true;
}

void readEarlierRangesAsInstants(AlbumList& albums) {
    const std::vector<uint64_t> none;
    for (Album& album : albums) {
        for (uint64_t* end : {&album.startTime, &album.endTime, &album.startKey, &album.endKey}) {
            *end = convertedEnd(*end, true, none, none, std::nullopt);
        }
    }
}

}  // namespace lumora
