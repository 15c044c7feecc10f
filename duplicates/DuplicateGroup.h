#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "catalog/PictureEntry.h"
#include "platform/ProgressSink.h"

namespace lumora {

// What both comparison passes do with one group of equal pictures: the
// picture that opened it and its later matches, in list order.
//
// A picture in an album stays: removing it would take it out of the album in
// favour of a copy in none. So every member that is in an album stays, and
// when none is, the first one does; the others are marked isDuplicate (with
// "Found %d duplicates" after each). A group of which nothing is marked is
// not listed, as there is nothing to remove; otherwise its lines are the
// header, the pictures that stay, then the marked ones. Every member is noted
// in `grouped` so that it opens no group of its own. Returns how many it
// marked; `duplicates` and `groups` are the running totals.
int settleDuplicateGroup(PictureList& pictures, uint32_t head, const std::vector<uint32_t>& matches,
                         std::vector<std::string>& lines, int& groups, int& duplicates,
                         std::vector<char>& grouped, ProgressSink& progress);

}  // namespace lumora
