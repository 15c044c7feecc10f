#pragma once

#include "app/ProgramArguments.h"

namespace lumora {

// The application: creates the main window, brings in what the command line
// asked for (a source scanned, a target, a session loaded) once the window
// is on the screen, and runs the window modally; the program ends with it.
class CPhotoAlbumApp {
  public:
    explicit CPhotoAlbumApp(ProgramArguments arguments);

    // Runs the window (or, in screenshot mode, writes the window's pictures)
    // and returns the program's exit status.
    int run();

  private:
    ProgramArguments arguments_;
};

}  // namespace lumora
