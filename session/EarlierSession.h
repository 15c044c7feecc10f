#pragma once

#include <string>

#include "albums/AlbumList.h"
#include "catalog/PictureEntry.h"
#include "session/SessionData.h"

namespace lumora {

// The header this version writes. Files with it hold ranges of values read
// without any zone; files without it were written by earlier versions, whose
// values depended on the zone and on the season in which they ran.
inline constexpr char kZoneFreeSessionMark[4] = {'1', '.', '1', '\0'};

inline constexpr const char* kEarlierSessionUnmatchedText =
    "This session was saved by an earlier version of Lumora in another time zone or with "
    "different pictures: its pictures cannot be matched with their albums with certainty. "
    "Session could not be loaded!";

bool holdsZoneFreeValues(const SessionData& data);

// Readies the rescanned pictures (sorted by date) and the loaded albums for
// the records of a file without the mark; a file with it is left alone.
// The records were written in the order of the earlier values, which ordered
// pictures differently (10:00:00 became 10:01:01, morning hours east of UTC
// became 12), so the pictures are put in that order, computed under each
// bias the zone has (standard and daylight saving). When those orders differ,
// the one under which every album's pictures lie within its stored range is
// taken; when none or more than one order fits, false: nothing is changed
// and the file must be refused, as records given to the wrong pictures would
// move pictures between albums or drop them as removed. Then each album's
// stored range is turned into the current values (an end that was a
// picture's value becomes that picture's value; another the time it showed)
// and widened to hold all of its pictures. Ends of 0 stay unset.
bool adaptEarlierSession(const SessionData& data, AlbumList& albums, PictureList& pictures);

// For a look at a file without the mark and without its pictures: each end
// of a stored range read as an instant and turned into this zone's time at
// that instant, as the earlier version showed it here. Ends of 0 stay unset.
void readEarlierRangesAsInstants(AlbumList& albums);

}  // namespace lumora
