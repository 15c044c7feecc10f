// The Edit Album dialog's layout: it fits a 1366 x 768 screen with a desktop
// panel, grows its film with the window, shows a picture's information
// without scrolling and never clips a film label.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QListWidget>
#include <QScrollBar>
#include <cstring>

#include "albums/FilmDelegate.h"
#include "tests/ui/EditAlbumFixture.h"

namespace lumora {
namespace {

using test::controlById;

// What a well-filled EXIF block gives: every line of Picture Info but the
// comment's.
void fillEveryValue(ExifInfo& exif) {
    std::strcpy(exif.CameraMake, "NIKON CORPORATION");
    std::strcpy(exif.CameraModel, "NIKON D70s");
    std::strcpy(exif.Version, "0221");
    exif.Xresolution = exif.Yresolution = 300;
    exif.ResolutionUnit = 1;
    exif.IsColor = 1;
    exif.FlashUsed = 1;
    exif.FocalLength = 18;
    exif.CCDWidth = 23.7f;
    exif.ExposureTime = 1.0f / 250;
    exif.Brightness = 4.5f;
    exif.ApertureFNumber = 8;
    exif.Distance = 3.5f;
    exif.ISOequivalent = 200;
    exif.ExposureBias = -0.33f;
    exif.Whitebalance = 1;
    exif.MeteringMode = 5;
    exif.ExposureProgram = 2;
    exif.CompressionLevel = 4;
    exif.Process = 0xC0;
}

class EditAlbumLayoutTest : public test::EditAlbumFixture {};

TEST_F(EditAlbumLayoutTest, theDialogFitsASmallScreenAndItsFilmGrowsWithIt) {
    writeFourPictures();
    scan();
    openNewAlbum();
    dialog->show();
    QApplication::processEvents();
    // 768 lines less a desktop panel and the title bar.
    EXPECT_LE(dialog->height(), 670);
    EXPECT_LE(dialog->width(), 1340);
    EXPECT_LE(dialog->minimumSizeHint().height(), dialog->height());
    const int filmHeight = dialog->film()->height();
    dialog->resize(dialog->width(), dialog->height() + 200);
    QApplication::processEvents();
    EXPECT_GE(dialog->film()->height(), filmHeight + 150);

    // The information of a well-described picture shows whole.
    dialog->resize(dialog->width(), dialog->height() - 200);
    QApplication::processEvents();
    fillEveryValue(*workspace.film[1].exif);
    select(1);
    QApplication::processEvents();
    auto* info = controlById<QListWidget>(*dialog, res::kIdPictureInfoList);
    ASSERT_GE(info->count(), 20);
    EXPECT_EQ(info->verticalScrollBar()->maximum(), 0) << info->count() << " lines";
}

// Picture Info lines its values up in columns of spaces, which takes a font
// of fixed pitch, even where Windows' own is missing (as under wine, without
// Courier New). Qt's offscreen platform on Windows knows no fonts at all:
// there is nothing to choose from. Elsewhere fontconfig picks the font (Qt
// does not count every font it picks as of fixed pitch).
TEST_F(EditAlbumLayoutTest, pictureInfoIsInAFontOfFixedPitch) {
#ifndef _WIN32
    GTEST_SKIP() << "fontconfig resolves the fixed font";
#endif
    if (QFontDatabase::families().isEmpty()) GTEST_SKIP() << "no fonts on this platform";
    writeFourPictures();
    scan();
    openNewAlbum();
    auto* info = controlById<QListWidget>(*dialog, res::kIdPictureInfoList);
    const QFontInfo font(info->font());
    EXPECT_TRUE(font.fixedPitch()) << info->font().family().toStdString() << " shows as "
                                   << font.family().toStdString();
}

TEST_F(EditAlbumLayoutTest, aLongCameraNameIsTrimmedShortenedToFitAndWholeInTheTooltip) {
    writeFourPictures();
    scan();
    openNewAlbum();
    ExifInfo& exif = *workspace.film[0].exif;
    std::strcpy(exif.CameraMake, "OLYMPUS OPTICAL CO.,LTD        ");
    std::strcpy(exif.CameraModel, "C-2500L Ultra Zoom Deluxe 2001");
    const QModelIndex first = dialog->filmModel()->index(0);
    const QString shown = first.data(Qt::DisplayRole).toString();
    EXPECT_TRUE(shown.endsWith("\nOLYMPUS OPTICAL CO.,LTD/C-2500L Ultra Zoom Deluxe 2001"))
        << shown.toStdString();
    EXPECT_TRUE(first.data(Qt::ToolTipRole)
                    .toString()
                    .contains("OLYMPUS OPTICAL CO.,LTD/C-2500L Ultra Zoom Deluxe 2001"));

    // Drawn in the label's room, every line fits and none is cut off below.
    const QFont font = FilmDelegate::labelFont(dialog->film()->font());
    const QFontMetrics metrics(font);
    const QSize room = FilmDelegate::labelSize();
    for (int dateFormat : {1, 8}) {
        workspace.dateFormat = dateFormat;
        const QStringList lines =
            FilmDelegate::labelLines(first.data(Qt::DisplayRole).toString(), font, room.width());
        ASSERT_FALSE(lines.isEmpty());
        EXPECT_LE(lines.size() * metrics.lineSpacing(), room.height())
            << lines.join("|").toStdString();
        for (const QString& line : lines) EXPECT_LE(metrics.horizontalAdvance(line), room.width());
        EXPECT_TRUE(lines.last().startsWith("OLYMPUS")) << lines.join("|").toStdString();
    }
}

}  // namespace
}  // namespace lumora
