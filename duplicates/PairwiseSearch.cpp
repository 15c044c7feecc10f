#include "duplicates/DuplicateGroup.h"
#include "duplicates/DuplicateSearch.h"
#include "duplicates/DuplicateTexts.h"
#include "duplicates/Signature.h"

namespace lumora {

int findDuplicatesPairwise(PictureList& pictures, std::vector<std::string>& lines,
                           ProgressSink& progress) {
    lines.clear();
    progress.setRange(0, static_cast<int64_t>(pictures.size()));
    progress.setPosition(0);
    progress.setStep(1);
    progress.setStatus(kSearchingText);
    for (PictureEntry& picture : pictures) picture.isDuplicate = 0;

    int duplicates = 0;
    int groups = 0;
    std::vector<char> grouped(pictures.size(), 0);
    std::vector<uint32_t> matches;
    for (size_t i = 0; i < pictures.size(); ++i) {
        progress.setStatus(comparingText(static_cast<int64_t>(i) + 1));
        progress.step();
        if (grouped[i] != 0 || !hasSignature(pictures[i])) continue;
        matches.clear();
        for (size_t j = i + 1; j < pictures.size(); ++j) {
            if (!hasSignature(pictures[j])) continue;
            if (signatureDistance(pictures[i], pictures[j]) == 0.0) {
                matches.push_back(static_cast<uint32_t>(j));
            }
        }
        if (matches.empty()) continue;
        settleDuplicateGroup(pictures, static_cast<uint32_t>(i), matches, lines, groups, duplicates,
                             grouped, progress);
    }
    progress.setStatus(searchFinishedText(duplicates));
    return duplicates;
}

}  // namespace lumora
