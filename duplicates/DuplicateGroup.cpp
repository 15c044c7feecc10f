#include "duplicates/DuplicateGroup.h"

#include <algorithm>

#include "duplicates/DuplicateTexts.h"

namespace lumora {

int settleDuplicateGroup(PictureList& pictures, uint32_t head, const std::vector<uint32_t>& matches,
                         std::vector<std::string>& lines, int& groups, int& duplicates,
                         std::vector<char>& grouped, ProgressSink& progress) {
    std::vector<uint32_t> members;
    members.reserve(matches.size() + 1);
    members.push_back(head);
    members.insert(members.end(), matches.begin(), matches.end());
    const auto inAlbum = [&](uint32_t index) { return pictures[index].albumId != 0; };
    const bool albumHeld = std::any_of(members.begin(), members.end(), inAlbum);
    std::vector<uint32_t> staying;
    std::vector<uint32_t> marked;
    for (uint32_t index : members) {
        grouped[index] = 1;
        const bool stays = albumHeld ? inAlbum(index) : index == head;
        (stays ? staying : marked).push_back(index);
    }
    for (uint32_t index : marked) {
        pictures[index].isDuplicate = 1;
        progress.setStatus(foundSoFarText(++duplicates));
    }
    if (marked.empty()) return 0;
    lines.push_back(groupHeaderLine(++groups));
    for (uint32_t index : staying) lines.push_back(pictures[index].path);
    for (uint32_t index : marked) lines.push_back(pictures[index].path);
    return static_cast<int>(marked.size());
}

}  // namespace lumora
