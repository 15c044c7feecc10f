#pragma once

#include <string>

namespace lumora {

// The program's screenshot mode: over the pictures of source, writes PNG
// pictures into folder of the main window with albums listed and one album's
// details shown, the format dialog, the option dialog, the processing dialog
// after a run, the About box, the Edit Album dialog on its film, the view
// options, the large viewer, the manual time range, the Advanced Filter with
// lamps of all three colours, the Search for duplicates dialog with a
// group found and the Camera clocks dialog with its matching. The run
// copies into a temporary folder that is removed afterwards; nothing is
// asked, and what would have been asked is printed. False (with a message on standard error) when a
// picture could not be written.
bool writeScreenshots(const std::string& source, const std::string& folder);

}  // namespace lumora
