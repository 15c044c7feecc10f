#include "catalog/CompanionNames.h"

#include <array>
#include <string_view>
#include <unordered_map>

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

std::string folded(std::string_view text) {
    std::string result(text);
    for (char& c : result) c = upper(c);
    return result;
}

bool equalFolded(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (upper(a[i]) != upper(b[i])) return false;
    }
    return true;
}

// The name before its last dot; the whole name when it has none.
std::string_view stemOf(std::string_view name) {
    const size_t dot = name.rfind('.');
    return dot == std::string_view::npos ? name : name.substr(0, dot);
}

// The extension after the last dot; empty for a name without one, and for a
// name that is nothing but a dot and an extension (".xmp" names no picture).
std::string_view extensionOf(std::string_view name) {
    const size_t dot = name.rfind('.');
    if (dot == std::string_view::npos || dot == 0) return {};
    return name.substr(dot + 1);
}

template <size_t N>
bool inTable(const std::array<std::string_view, N>& table, std::string_view extension) {
    for (std::string_view entry : table) {
        if (equalFolded(entry, extension)) return true;
    }
    return false;
}

bool isCompanionExtension(std::string_view extension) {
    return !extension.empty() &&
           (inTable(kRawExtensions, extension) || inTable(kOtherExtensions, extension));
}

// The folder's listing order: letters upper-cased, ties by the bytes.
bool listedBefore(const std::string& a, const std::string& b) {
    const std::string left = folded(a);
    const std::string right = folded(b);
    return left != right ? left < right : a < b;
}

}  // namespace

bool hasCompanionExtension(const std::string& name) {
    return isCompanionExtension(extensionOf(name));
}

bool isRawCompanion(const std::string& name) {
    const std::string_view extension = extensionOf(name);
    return !extension.empty() && inTable(kRawExtensions, extension);
}

bool hasRawCompanion(const std::vector<std::string>& companionNames) {
    for (const std::string& name : companionNames) {
        if (isRawCompanion(name)) return true;
    }
    return false;
}

std::vector<std::vector<std::string>> pairCompanions(const std::vector<std::string>& pictureNames,
                                                     const std::vector<std::string>& otherNames) {
    std::vector<std::vector<std::string>> companions(pictureNames.size());
    constexpr size_t kNone = static_cast<size_t>(-1);
    // The candidates by their folded base names, each key's candidates
    // chained through `next`: the scan pays a few look-ups a picture, and a
    // folder without companions nothing beyond a look at each extension.
    std::unordered_map<std::string, size_t> firstByStem;
    std::vector<size_t> next(otherNames.size(), kNone);
    bool anySidecar = false;
    for (size_t i = 0; i < otherNames.size(); ++i) {
        const std::string_view extension = extensionOf(otherNames[i]);
        if (!isCompanionExtension(extension)) continue;
        anySidecar = anySidecar || equalFolded(extension, kSidecarExtension);
        const auto [slot, added] = firstByStem.try_emplace(folded(stemOf(otherNames[i])), i);
        if (!added) {
            next[i] = slot->second;
            slot->second = i;
        }
    }
    if (firstByStem.empty() || pictureNames.empty()) return companions;

    struct Owner {
        size_t picture = kNone;
        bool exact = false;  // the names match in letter case too
    };
    std::vector<Owner> owners(otherNames.size());
    const auto consider = [&](size_t candidate, size_t picture, bool exact) {
        Owner& owner = owners[candidate];
        if (owner.picture == kNone || (exact && !owner.exact) ||
            (exact == owner.exact &&
             listedBefore(pictureNames[picture], pictureNames[owner.picture]))) {
            owner = {picture, exact};
        }
    };
    for (size_t picture = 0; picture < pictureNames.size(); ++picture) {
        const std::string& name = pictureNames[picture];
        const std::string_view stem = stemOf(name);
        if (const auto found = firstByStem.find(folded(stem)); found != firstByStem.end()) {
            for (size_t i = found->second; i != kNone; i = next[i]) {
                consider(i, picture, stemOf(otherNames[i]) == stem);
            }
        }
        // A sidecar named after the whole picture name.
        if (!anySidecar) continue;
        if (const auto found = firstByStem.find(folded(name)); found != firstByStem.end()) {
            for (size_t i = found->second; i != kNone; i = next[i]) {
                if (!equalFolded(extensionOf(otherNames[i]), kSidecarExtension)) continue;
                consider(i, picture, stemOf(otherNames[i]) == name);
            }
        }
    }
    for (size_t i = 0; i < otherNames.size(); ++i) {
        if (owners[i].picture != kNone) companions[owners[i].picture].push_back(otherNames[i]);
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
