#pragma once

#include <string>
#include <vector>

#include "catalog/PictureEntry.h"
#include "platform/ProgressSink.h"

namespace lumora {

// The comparison pass. Clears every isDuplicate mark, then, in list order,
// gathers each picture not yet in a group with the later pictures whose
// signatures are at distance 0 from its own, and settles that group as
// settleDuplicateGroup says: the first picture stays unless pictures in an
// album do, the others are marked, and the group is listed as the line
// "### Duplicate nr.%d ###", the paths of the pictures that stay, then the
// paths of its duplicates. Pictures without a signature are never duplicates.
// Status texts and progress steps come per picture as the pairwise pass
// gives them; pictures are grouped by their exact values, so the pass takes
// about linear time. Returns the number of duplicates found.
int findDuplicates(PictureList& pictures, std::vector<std::string>& lines, ProgressSink& progress);

// The same pass comparing every pair of pictures, as the reference the
// grouped pass is checked and measured against.
int findDuplicatesPairwise(PictureList& pictures, std::vector<std::string>& lines,
                           ProgressSink& progress);

}  // namespace lumora
