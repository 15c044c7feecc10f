#include "catalog/CompanionNames.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "catalog/NameParts.h"

namespace lumora {
namespace {

// Upper case, as the extension tables are written.
constexpr std::array<std::string_view, 26> kRawExtensions = {
    "3FR", "ARW", "CR2", "CR3", "CRW", "DCR", "DNG", "ERF", "IIQ", "K25", "KDC", "MEF", "MOS",
    "MRW", "NEF", "NRW", "ORF", "PEF", "RAF", "RAW", "RW2", "RWL", "SR2", "SRF", "SRW", "X3F"};
constexpr std::array<std::string_view, 6> kOtherExtensions = {"XMP", "THM", "AAE",
                                                              "WAV", "MOV", "MP4"};
constexpr std::string_view kSidecarExtension = "XMP";

char upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool equalFolded(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (upper(a[i]) != upper(b[i])) return false;
    }
    return true;
}

// What an extension makes of a name beside a picture.
enum class CompanionKind { None, Raw, Sidecar, Other };

// Every companion extension has three letters: an extension is classified
// by its three upper-cased bytes packed into one number, with no text built
// (the scan asks this of every name of every folder).
constexpr uint32_t packed(char a, char b, char c) {
    return static_cast<uint32_t>(static_cast<unsigned char>(a)) << 16 |
           static_cast<uint32_t>(static_cast<unsigned char>(b)) << 8 |
           static_cast<uint32_t>(static_cast<unsigned char>(c));
}

template <size_t N>
constexpr bool allThreeLetters(const std::array<std::string_view, N>& table) {
    for (std::string_view entry : table) {
        if (entry.size() != 3) return false;
    }
    return true;
}
static_assert(allThreeLetters(kRawExtensions) && allThreeLetters(kOtherExtensions));

// Every extension's code with its kind, sorted by code: an extension is
// found with a few comparisons.
struct CodedKind {
    uint32_t code;
    CompanionKind kind;
};
constexpr auto kCodedKinds = [] {
    std::array<CodedKind, kRawExtensions.size() + kOtherExtensions.size()> table{};
    size_t at = 0;
    for (std::string_view entry : kRawExtensions) {
        table[at++] = {packed(entry[0], entry[1], entry[2]), CompanionKind::Raw};
    }
    for (std::string_view entry : kOtherExtensions) {
        const bool sidecar = entry == kSidecarExtension;
        table[at++] = {packed(entry[0], entry[1], entry[2]),
                       sidecar ? CompanionKind::Sidecar : CompanionKind::Other};
    }
    std::sort(table.begin(), table.end(),
              [](const CodedKind& a, const CodedKind& b) { return a.code < b.code; });
    return table;
}();

CompanionKind kindOf(std::string_view extension) {
    if (extension.size() != 3) return CompanionKind::None;
    const uint32_t code = packed(upper(extension[0]), upper(extension[1]), upper(extension[2]));
    const auto found =
        std::lower_bound(kCodedKinds.begin(), kCodedKinds.end(), code,
                         [](const CodedKind& entry, uint32_t wanted) { return entry.code < wanted; });
    return found != kCodedKinds.end() && found->code == code ? found->kind : CompanionKind::None;
}

// Orders texts as their upper-cased bytes do (unsigned, a prefix first),
// without building the upper-cased texts.
int compareFolded(std::string_view a, std::string_view b) {
    const size_t common = std::min(a.size(), b.size());
    for (size_t i = 0; i < common; ++i) {
        const auto left = static_cast<unsigned char>(upper(a[i]));
        const auto right = static_cast<unsigned char>(upper(b[i]));
        if (left != right) return left < right ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

// A hash of a text with its letters upper-cased (FNV-1a).
uint64_t foldedHash(std::string_view text) {
    uint64_t hash = 14695981039346656037ull;
    for (char c : text) {
        hash ^= static_cast<unsigned char>(upper(c));
        hash *= 1099511628211ull;
    }
    return hash;
}

// The folder's listing order: letters upper-cased, ties by the bytes.
bool listedBefore(std::string_view a, std::string_view b) {
    const int order = compareFolded(a, b);
    return order != 0 ? order < 0 : a < b;
}

}  // namespace

bool hasCompanionExtension(const std::string& name) {
    return kindOf(extensionOf(name)) != CompanionKind::None;
}

bool isRawCompanion(const std::string& name) {
    return kindOf(extensionOf(name)) == CompanionKind::Raw;
}

bool hasRawCompanion(const std::vector<std::string>& companionNames) {
    for (const std::string& name : companionNames) {
        if (isRawCompanion(name)) return true;
    }
    return false;
}

std::vector<size_t> companionOwners(const std::vector<std::string_view>& pictureNames,
                                    const std::vector<std::string>& otherNames) {
    constexpr size_t kNone = kNoCompanionOwner;
    std::vector<size_t> owners(otherNames.size(), kNone);
    if (pictureNames.empty()) return owners;
    // The candidates by their base names, letter case aside, in a small
    // open-addressed table of indices into otherNames, the candidates of one
    // base name chained through `next`: a picture finds its own with a
    // look-up or two, and no text is built for any name.
    std::vector<CompanionKind> kinds(otherNames.size(), CompanionKind::None);
    size_t candidateCount = 0;
    bool anySidecar = false;
    for (size_t i = 0; i < otherNames.size(); ++i) {
        kinds[i] = kindOf(extensionOf(otherNames[i]));
        if (kinds[i] == CompanionKind::None) continue;
        ++candidateCount;
        anySidecar = anySidecar || kinds[i] == CompanionKind::Sidecar;
    }
    if (candidateCount == 0) return owners;
    size_t capacity = 16;
    while (capacity < 2 * candidateCount) capacity *= 2;
    const size_t mask = capacity - 1;
    std::vector<size_t> slots(capacity, kNone);
    std::vector<size_t> next(otherNames.size(), kNone);
    // Each candidate's base name and its hash, worked out once: most probes
    // end at a differing hash.
    std::vector<std::string_view> stems(otherNames.size());
    std::vector<uint64_t> hashes(otherNames.size(), 0);
    // The slot holding the chain of the given base name, or the empty slot
    // where it would go.
    const auto slotOf = [&](std::string_view stem, uint64_t hash) -> size_t& {
        for (size_t slot = hash & mask;; slot = (slot + 1) & mask) {
            const size_t held = slots[slot];
            if (held == kNone || (hashes[held] == hash && equalFolded(stems[held], stem))) {
                return slots[slot];
            }
        }
    };
    for (size_t i = 0; i < otherNames.size(); ++i) {
        if (kinds[i] == CompanionKind::None) continue;
        stems[i] = stemOf(otherNames[i]);
        hashes[i] = foldedHash(stems[i]);
        size_t& first = slotOf(stems[i], hashes[i]);
        next[i] = first;
        first = i;
    }

    // Whether a candidate's owner matches its name in letter case too.
    std::vector<bool> exactOwner(otherNames.size(), false);
    const auto consider = [&](size_t candidate, size_t picture, bool exact) {
        size_t& owner = owners[candidate];
        const bool ownerExact = exactOwner[candidate];
        if (owner == kNone || (exact && !ownerExact) ||
            (exact == ownerExact && listedBefore(pictureNames[picture], pictureNames[owner]))) {
            owner = picture;
            exactOwner[candidate] = exact;
        }
    };
    for (size_t picture = 0; picture < pictureNames.size(); ++picture) {
        const std::string_view name = pictureNames[picture];
        const std::string_view stem = stemOf(name);
        for (size_t i = slotOf(stem, foldedHash(stem)); i != kNone; i = next[i]) {
            consider(i, picture, stems[i] == stem);
        }
        // A sidecar named after the whole picture name.
        if (!anySidecar) continue;
        for (size_t i = slotOf(name, foldedHash(name)); i != kNone; i = next[i]) {
            if (kinds[i] == CompanionKind::Sidecar) consider(i, picture, stems[i] == name);
        }
    }
    return owners;
}

std::vector<std::vector<std::string>> pairCompanions(const std::vector<std::string>& pictureNames,
                                                     const std::vector<std::string>& otherNames) {
    std::vector<std::vector<std::string>> companions(pictureNames.size());
    const std::vector<size_t> owners = companionOwners(
        std::vector<std::string_view>(pictureNames.begin(), pictureNames.end()), otherNames);
    for (size_t i = 0; i < otherNames.size(); ++i) {
        if (owners[i] != kNoCompanionOwner) companions[owners[i]].push_back(otherNames[i]);
    }
    return companions;
}

std::string companionTargetName(const std::string& pictureName, const std::string& companionName,
                                const std::string& newPictureName) {
    const std::string_view extension = extensionOf(companionName);
    const std::string_view stem = stemOf(companionName);
    std::string dotted(1, '.');
    dotted.append(extension);
    if (equalFolded(extension, kSidecarExtension) && equalFolded(stem, pictureName)) {
        return newPictureName + dotted;
    }
    return std::string(stemOf(newPictureName)) + dotted;
}

uint64_t companionFileSize(FileSystem& fileSystem, const std::string& path) {
    ErrorCode error = kErrorSuccess;
    const std::unique_ptr<InputFile> file = fileSystem.openRead(path, error);
    return file ? file->facts().size : 0;
}

}  // namespace lumora
