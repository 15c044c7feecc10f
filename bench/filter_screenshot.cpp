// Writes the Advanced Filter window's screenshot over a folder of pictures,
// for looking at it without the whole program: filter-screenshot SOURCE FOLDER.
#include <QApplication>
#include <cstdlib>

#include "filters/FilterScreenshot.h"

int main(int argc, char** argv) {
    if (argc < 3) return 2;
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    return lumora::writeFilterScreenshot(argv[1], argv[2]) ? 0 : 1;
}
