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
    for (size_t i = 0; i < pictures.size(); ++i) {
        progress.setStatus(comparingText(static_cast<int64_t>(i) + 1));
        progress.step();
        if (pictures[i].isDuplicate != 0 || !hasSignature(pictures[i])) continue;
        bool first = true;
        for (size_t j = i + 1; j < pictures.size(); ++j) {
            if (!hasSignature(pictures[j])) continue;
            if (signatureDistance(pictures[i], pictures[j]) != 0.0) continue;
            pictures[j].isDuplicate = 1;
            ++duplicates;
            progress.setStatus(foundSoFarText(duplicates));
            if (first) {
                first = false;
                lines.push_back(groupHeaderLine(++groups));
                lines.push_back(pictures[i].path);
            }
            lines.push_back(pictures[j].path);
        }
    }
    progress.setStatus(searchFinishedText(duplicates));
    return duplicates;
}

}  // namespace lumora
