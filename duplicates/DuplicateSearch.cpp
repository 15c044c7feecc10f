#include "duplicates/DuplicateSearch.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <unordered_map>

#include "duplicates/DuplicateGroup.h"
#include "duplicates/DuplicateTexts.h"
#include "duplicates/Signature.h"

namespace lumora {
namespace {

// Between two signatures whose every element is 0 or of a magnitude in
// [2^-400, 2^500], the distance is 0 exactly when the elements are equal:
// no difference of such values squares to an underflowed 0, and no sum of
// squares overflows. Every signature the analysis computes is of this kind
// (its elements are 0 or at least 1/4096), so grouping by value gives the
// pairwise result. Other values can only come from outside (a stored
// session); they are compared pairwise with everything. A signature with a
// NaN or an infinity is at no distance 0 from anything.
enum class Kind : uint8_t { Unmatchable, Regular, Irregular };

const double kSmallest = std::ldexp(1.0, -400);
const double kLargest = std::ldexp(1.0, 500);

Kind kindOf(const PictureEntry& picture) {
    if (!hasSignature(picture)) return Kind::Unmatchable;
    Kind kind = Kind::Regular;
    for (double value : picture.exif->signature) {
        if (!std::isfinite(value)) return Kind::Unmatchable;
        const double magnitude = std::fabs(value);
        if (magnitude != 0.0 && (magnitude < kSmallest || magnitude > kLargest)) {
            kind = Kind::Irregular;
        }
    }
    return kind;
}

using Key = std::array<uint64_t, kSignatureLength>;

Key keyOf(const double* signature) {
    Key key;
    for (int k = 0; k < kSignatureLength; ++k) {
        // -0 and +0 are the same value.
        const double value = signature[k] == 0.0 ? 0.0 : signature[k];
        std::memcpy(&key[static_cast<size_t>(k)], &value, sizeof value);
    }
    return key;
}

struct KeyHash {
    size_t operator()(const Key& key) const {
        uint64_t hash = 0x9E3779B97F4A7C15ull;
        for (uint64_t word : key) {
            hash ^= word + 0x9E3779B97F4A7C15ull + (hash << 6) + (hash >> 2);
            hash *= 0xBF58476D1CE4E5B9ull;
        }
        return static_cast<size_t>(hash ^ (hash >> 31));
    }
};

// The pictures of each value in list order, flattened: group g's members are
// members[start[g]] .. members[start[g + 1] - 1].
struct Groups {
    std::vector<uint32_t> groupOf;     // per picture, for regular ones
    std::vector<uint32_t> positionOf;  // per picture: its place in members
    std::vector<uint32_t> start;
    std::vector<uint32_t> members;
};

Groups groupByValue(const PictureList& pictures, const std::vector<Kind>& kinds) {
    Groups groups;
    const size_t count = pictures.size();
    groups.groupOf.assign(count, 0);
    groups.positionOf.assign(count, 0);
    std::unordered_map<Key, uint32_t, KeyHash> idOf;
    idOf.reserve(count);
    std::vector<uint32_t> sizes;
    for (size_t i = 0; i < count; ++i) {
        if (kinds[i] != Kind::Regular) continue;
        const auto [place, added] = idOf.try_emplace(keyOf(pictures[i].exif->signature),
                                                     static_cast<uint32_t>(sizes.size()));
        if (added) sizes.push_back(0);
        groups.groupOf[i] = place->second;
        ++sizes[place->second];
    }
    groups.start.assign(sizes.size() + 1, 0);
    for (size_t g = 0; g < sizes.size(); ++g) groups.start[g + 1] = groups.start[g] + sizes[g];
    groups.members.resize(groups.start.back());
    std::vector<uint32_t> filled(groups.start.begin(), groups.start.end() - 1);
    for (size_t i = 0; i < count; ++i) {
        if (kinds[i] != Kind::Regular) continue;
        const uint32_t position = filled[groups.groupOf[i]]++;
        groups.members[position] = static_cast<uint32_t>(i);
        groups.positionOf[i] = position;
    }
    return groups;
}

bool atDistanceZero(const PictureEntry& a, const PictureEntry& b) {
    return signatureDistance(a, b) == 0.0;
}

// The later pictures at distance 0 from picture i, in list order.
void matchesOf(size_t i, const PictureList& pictures, const std::vector<Kind>& kinds,
               const Groups& groups, const std::vector<uint32_t>& irregular,
               std::vector<uint32_t>& matches) {
    matches.clear();
    if (kinds[i] == Kind::Irregular) {
        for (size_t j = i + 1; j < pictures.size(); ++j) {
            if (kinds[j] != Kind::Unmatchable && atDistanceZero(pictures[i], pictures[j])) {
                matches.push_back(static_cast<uint32_t>(j));
            }
        }
        return;
    }
    const uint32_t* same = groups.members.data() + groups.positionOf[i] + 1;
    const uint32_t* sameEnd = groups.members.data() + groups.start[groups.groupOf[i] + 1];
    auto other = std::upper_bound(irregular.begin(), irregular.end(), static_cast<uint32_t>(i));
    for (;;) {
        while (other != irregular.end() && !atDistanceZero(pictures[i], pictures[*other])) ++other;
        if (same == sameEnd && other == irregular.end()) return;
        if (other == irregular.end() || (same != sameEnd && *same < *other)) {
            matches.push_back(*same++);
        } else {
            matches.push_back(*other++);
        }
    }
}

}  // namespace

int findDuplicates(PictureList& pictures, std::vector<std::string>& lines, ProgressSink& progress) {
    lines.clear();
    const size_t count = pictures.size();
    progress.setRange(0, static_cast<int64_t>(count));
    progress.setPosition(0);
    progress.setStep(1);
    progress.setStatus(kSearchingText);
    for (PictureEntry& picture : pictures) picture.isDuplicate = 0;

    std::vector<Kind> kinds(count);
    std::vector<uint32_t> irregular;
    for (size_t i = 0; i < count; ++i) {
        kinds[i] = kindOf(pictures[i]);
        if (kinds[i] == Kind::Irregular) irregular.push_back(static_cast<uint32_t>(i));
    }
    const Groups groups = groupByValue(pictures, kinds);

    int duplicates = 0;
    int groupCount = 0;
    std::vector<char> grouped(count, 0);
    std::vector<uint32_t> matches;
    for (size_t i = 0; i < count; ++i) {
        progress.setStatus(comparingText(static_cast<int64_t>(i) + 1));
        progress.step();
        if (grouped[i] != 0 || kinds[i] == Kind::Unmatchable) continue;
        matchesOf(i, pictures, kinds, groups, irregular, matches);
        if (matches.empty()) continue;
        settleDuplicateGroup(pictures, static_cast<uint32_t>(i), matches, lines, groupCount,
                             duplicates, grouped, progress);
    }
    progress.setStatus(searchFinishedText(duplicates));
    return duplicates;
}

}  // namespace lumora
