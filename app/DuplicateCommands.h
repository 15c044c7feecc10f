#pragma once

#include <string>
#include <vector>

#include "app/Workspace.h"
#include "duplicates/SignatureAnalysis.h"
#include "platform/ProgressSink.h"
#include "platform/Prompter.h"

namespace lumora {

// The commands of the duplicate search on the workspace's pictures and
// counters; the dialog adds only its controls.

// "Analize": signatures for the pictures that have none. helpers: threads
// that decode ahead (the catalog's file system must then allow that).
int analyseDuplicates(Workspace& workspace, ProgressSink& progress,
                      int helpers = defaultAnalysisHelpers());

// "Compare": the comparison pass into lines. The first pass that finds
// duplicates sets duplicatesFound; later ones leave it. Returns the count.
int compareDuplicates(Workspace& workspace, std::vector<std::string>& lines,
                      ProgressSink& progress);

// "Remove selected" on the selected line: takes the pictures of that path
// out of the list and compares again, or says "Item not removed". Returns
// whether a picture was removed.
bool removeSelectedDuplicate(Workspace& workspace, const std::string& line,
                             std::vector<std::string>& lines, Prompter& prompter,
                             ProgressSink& progress);

// How many pictures the last comparison marked as duplicates: the dialog's
// exclude check box can be used only while there are any.
int markedDuplicateCount(const Workspace& workspace);

// "OK": stores the exclude box as excludeDuplicates and, when it is set,
// takes every marked duplicate out of the list; the film is rebuilt next
// time; the space freed since the scan is reported when there is any.
void acceptDuplicates(Workspace& workspace, bool exclude, Prompter& prompter);

// After the dialog closed either way: the summary status line, and every
// album's count and size recomputed from the pictures left.
void finishDuplicateSearch(Workspace& workspace);

}  // namespace lumora
