// Writes the Edit Album dialog's screenshots over a folder of pictures, for
// looking at the film without the whole program: film-screenshots SOURCE FOLDER.
#include <QApplication>
#include <cstdlib>

#include "albums/EditAlbumScreenshots.h"

int main(int argc, char** argv) {
    if (argc < 3) return 2;
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    return lumora::writeEditAlbumScreenshots(argv[1], argv[2]) ? 0 : 1;
}
