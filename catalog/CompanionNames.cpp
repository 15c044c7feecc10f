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
    // Most folders hold no companion at all: they cost one look at each
    // extension and nothing more.
    bool any = false;
    for (const std::string& name : otherNames) {
        if (hasCompanionExtension(name)) {
            any = true;
            break;
        }
    }
    if (!any || pictureNames.empty()) return companions;

    std::unordered_map<std::string, std::vector<size_t>> byStem;
    std::unordered_map<std::string, std::vector<size_t>> byWholeName;
    byStem.reserve(pictureNames.size());
    byWholeName.reserve(pictureNames.size());
    for (size_t i = 0; i < pictureNames.size(); ++i) {
        byStem[folded(stemOf(pictureNames[i]))].push_back(i);
        byWholeName[folded(pictureNames[i])].push_back(i);
    }

    for (const std::string& name : otherNames) {
        const std::string_view extension = extensionOf(name);
        if (!isCompanionExtension(extension)) continue;
        const std::string_view stem = stemOf(name);
        const std::string key = folded(stem);
        constexpr size_t kNone = static_cast<size_t>(-1);
        size_t owner = kNone;
        bool ownerExact = false;
        const auto consider = [&](size_t picture, bool exact) {
            if (owner == kNone || (exact && !ownerExact) ||
                (exact == ownerExact && listedBefore(pictureNames[picture], pictureNames[owner]))) {
                owner = picture;
                ownerExact = exact;
            }
        };
        if (const auto found = byStem.find(key); found != byStem.end()) {
            for (size_t picture : found->second) {
                consider(picture, stemOf(pictureNames[picture]) == stem);
            }
        }
        if (equalFolded(extension, kSidecarExtension)) {
            if (const auto found = byWholeName.find(key); found != byWholeName.end()) {
                for (size_t picture : found->second)
                    consider(picture, pictureNames[picture] == stem);
            }
        }
        if (owner != kNone) companions[owner].push_back(name);
    }
    return companions;
}

std::string companionTargetName(const std::string& pictureName, const std::string& companionName,
                                const std::string& newPictureName) {
    const std::string_view extension = extensionOf(companionName);
    const std::string_view stem = stemOf(companionName);
    const std::string dotted = "." + std::string(extension);
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
