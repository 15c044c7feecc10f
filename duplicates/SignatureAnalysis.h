#pragma once

#include "catalog/PictureEntry.h"
#include "platform/FileSystem.h"
#include "platform/ProgressSink.h"

namespace lumora {

// Helper threads that decode ahead of the analysis: one per core beyond the
// caller's, at most a few.
int defaultAnalysisHelpers();

// The analysis pass: computes the signature of every picture that has none,
// in list order, with one status text and one progress step per picture and
// "Analize finished.Ready to compare." at the end. With helpers > 0 other
// threads decode and compute ahead; the signatures, texts and steps are those
// of the pass without them. The file system must then allow calls from
// several threads. Returns how many signatures were stored.
int analysePictures(PictureList& pictures, ProgressSink& progress,
                    FileSystem& fileSystem = realFileSystem(), int helpers = 0);

}  // namespace lumora
