#include "filters/CAdvancedFilterDialog.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QToolButton>
#include <cstring>

#include "albums/CEditAlbumDialog.h"
#include "albums/FilmModel.h"
#include "albums/FilmView.h"
#include "res/ResourceIds.h"
#include "tests/support/PictureFiles.h"
#include "tests/support/ScriptedPrompter.h"
#include "tests/support/TempDir.h"
#include "tests/support/TzGuard.h"
#include "tests/ui/ControlById.h"

namespace lumora {
namespace {

using test::controlById;
using test::ScriptedPrompter;

struct Camera {
    const char* make;
    const char* model;
    float focalLength;
    int32_t width;
    int32_t height;
    int32_t iso;
    int32_t metering;
    float distance;
};

// Four pictures in date order: Canon A, Canon B, Nikon X and Canon A again.
constexpr Camera kCameras[] = {
    {"Canon", "A", 50.0f, 4000, 3000, 100, 3, 2.0f},
    {"Canon", "B", 35.0f, 3000, 2000, 200, 5, 5.0f},
    {"Nikon", "X", 24.0f, 2000, 1500, 400, 3, 10.0f},
    {"Canon", "A", 50.0f, 3000, 2000, 800, 2, 2.0f},
};

class AdvancedFilterDialogTest : public ::testing::Test {
  protected:
    AdvancedFilterDialogTest() : workspace(realFileSystem(), clock) {}

    void SetUp() override {
        const char* names[] = {"a.jpg", "b.jpg", "c.jpg", "d.jpg"};
        const char* dates[] = {"2021:06:01 10:00:00", "2021:06:01 11:00:00", "2021:06:02 09:00:00",
                               "2021:06:02 09:30:00"};
        for (int i = 0; i < 4; ++i) {
            dir.writeFile(std::string("src/") + names[i], test::exifPicture(dates[i]));
        }
        workspace.setSource(dir.file("src"), prompter, nullProgress());
        ASSERT_EQ(workspace.pictures().size(), 4u);
        // The EXIF values the filter works on, laid over the scanned pictures.
        for (PictureEntry& picture : workspace.pictures()) {
            const Camera& camera =
                kCameras[picture.path.back() == 'g' ? picture.path[picture.path.size() - 5] - 'a'
                                                    : 0];
            ExifInfo& exif = *picture.exif;
            std::strcpy(exif.CameraMake, camera.make);
            std::strcpy(exif.CameraModel, camera.model);
            exif.FocalLength = camera.focalLength;
            exif.Width = camera.width;
            exif.Height = camera.height;
            exif.ISOequivalent = camera.iso;
            exif.MeteringMode = camera.metering;
            exif.Distance = camera.distance;
        }
        ASSERT_TRUE(workspace.startNewAlbum(0, prompter));
        openEditAlbum();
        // The filter acts on the pictures inside the album's range: all four.
        dialog->film()->selectRow(dialog->filmModel()->rowCount() - 1);
        dialog->setEndDate();
        ASSERT_EQ(filmCount(), 4);
    }

    void openEditAlbum() {
        dialog = std::make_unique<CEditAlbumDialog>(workspace, filmImages, prompter);
        dialog->firstPaint();
    }
    CAdvancedFilterDialog& openFilter() {
        dialog->advancedFilterTool();
        filter = dialog->advancedFilter();
        EXPECT_NE(filter, nullptr);
        return *filter;
    }

    int filmCount() const { return static_cast<int>(workspace.film.size()); }
    FilterSettings& settings() { return workspace.currentAlbum()->filter; }

    QComboBox* combo(int id) { return controlById<QComboBox>(*filter, id); }
    QCheckBox* check(int id) { return controlById<QCheckBox>(*filter, id); }
    QStringList entries(int id) {
        QStringList texts;
        for (int i = 0; i < combo(id)->count(); ++i) texts << combo(id)->itemText(i);
        return texts;
    }
    // A choice from the box's list, as the person makes it.
    void choose(int id, const QString& text) {
        QComboBox* box = combo(id);
        const int index = box->findText(text);
        ASSERT_GE(index, 0) << text.toStdString() << " is not in box " << id;
        box->setCurrentIndex(index);
        emit box->activated(index);
    }
    void click(int id) { controlById<QAbstractButton>(*filter, id)->click(); }
    Lamp lamp(int id) {
        return static_cast<Lamp>(controlById<QLabel>(*filter, id)->property("lamp").toInt());
    }

    test::TzGuard zone{"UTC0"};
    FixedClock clock{1700000000};
    test::TempDir dir;
    ScriptedPrompter prompter;
    Workspace workspace;
    std::vector<QImage> filmImages;
    std::unique_ptr<CEditAlbumDialog> dialog;
    CAdvancedFilterDialog* filter = nullptr;
};

TEST_F(AdvancedFilterDialogTest, opensOnceWithItsControlsAndTheCameraListsOfTheFilm) {
    openFilter();
    dialog->advancedFilterTool();
    EXPECT_EQ(dialog->findChildren<CAdvancedFilterDialog*>().size(), 1);
    EXPECT_EQ(filter->windowTitle(), "Advanced Filter");
    EXPECT_EQ(entries(res::kIdFilterMake), (QStringList{"All", "Canon", "Nikon"}));
    EXPECT_EQ(combo(res::kIdFilterMake)->currentText(), "All");
    EXPECT_FALSE(combo(res::kIdFilterModel)->isEnabled());
    // A new album starts without filtering: every criterion unchecked and black.
    EXPECT_FALSE(check(res::kIdFilterEnable)->isChecked());
    EXPECT_TRUE(check(res::kIdFilterLiveUpdate)->isChecked());
    EXPECT_FALSE(check(res::kIdFilterIsoCheck)->isChecked());
    EXPECT_FALSE(combo(res::kIdFilterIsoMax)->isEnabled());
    EXPECT_EQ(lamp(res::kIdFilterIsoLamp), Lamp::Black);
    EXPECT_NE(filter->findChild<QLabel*>(), nullptr);
    bool lineShown = false;
    for (QLabel* label : filter->findChildren<QLabel*>()) {
        lineShown |= label->text() == "To keep filters active don't close this window";
    }
    EXPECT_TRUE(lineShown);
    EXPECT_EQ(controlById<QPushButton>(*filter, res::kIdCancel)->text(), "Close Window");
}

TEST_F(AdvancedFilterDialogTest, choosingAMakeSelectsItsFirstModelBeforeStoringAndAllEmptiesThem) {
    openFilter();
    choose(res::kIdFilterMake, "Canon");
    // The model box orders its entries itself; its first one is stored.
    EXPECT_EQ(entries(res::kIdFilterModel), (QStringList{"A", "All", "B"}));
    EXPECT_EQ(combo(res::kIdFilterModel)->currentText(), "A");
    EXPECT_TRUE(combo(res::kIdFilterModel)->isEnabled());
    EXPECT_EQ(settings().cameraMake, "Canon");
    EXPECT_EQ(settings().cameraModel, "A");
    EXPECT_EQ(filmCount(), 2);
    choose(res::kIdFilterModel, "All");
    EXPECT_EQ(settings().cameraModel, "All");
    EXPECT_EQ(filmCount(), 3);

    choose(res::kIdFilterMake, "All");
    EXPECT_EQ(combo(res::kIdFilterModel)->count(), 0);
    EXPECT_FALSE(combo(res::kIdFilterModel)->isEnabled());
    EXPECT_EQ(settings().cameraModel, "");
    EXPECT_EQ(filmCount(), 4);
    EXPECT_EQ(entries(res::kIdFilterMake), (QStringList{"All", "Canon", "Nikon"}));
}

TEST_F(AdvancedFilterDialogTest, liveUpdateNarrowsTheOtherListsWhileTheWorkingOneKeepsItsEntries) {
    openFilter();
    click(res::kIdFilterEnable);
    EXPECT_TRUE(check(res::kIdFilterFocalLengthCheck)->isChecked());
    EXPECT_EQ(lamp(res::kIdFilterFocalLengthLamp), Lamp::Red);
    const QStringList sizes{"4000 x 3000", "3000 x 2000", "2000 x 1500"};
    EXPECT_EQ(entries(res::kIdFilterSizeMax), sizes);
    choose(res::kIdFilterFocalLengthMax, "35.0mm");
    EXPECT_EQ(entries(res::kIdFilterFocalLengthMin), (QStringList{"35.0mm", "24.0mm"}));
    EXPECT_EQ(combo(res::kIdFilterFocalLengthMin)->currentText(), "24.0mm");
    EXPECT_FLOAT_EQ(settings().focalLengthMax, 35.0f);
    EXPECT_FLOAT_EQ(settings().focalLengthMin, 24.0f);
    EXPECT_EQ(filmCount(), 2);
    EXPECT_EQ(entries(res::kIdFilterFocalLengthMax), (QStringList{"50.0mm", "35.0mm", "24.0mm"}));
    EXPECT_EQ(entries(res::kIdFilterSizeMax), (QStringList{"3000 x 2000", "2000 x 1500"}));
    EXPECT_EQ(entries(res::kIdFilterMake), (QStringList{"All", "Canon", "Nikon"}));
    EXPECT_EQ(lamp(res::kIdFilterFocalLengthLamp), Lamp::Green);
    EXPECT_EQ(lamp(res::kIdFilterSizeLamp), Lamp::Red);
}

TEST_F(AdvancedFilterDialogTest, withoutLiveUpdateTheFilmIsRebuiltButTheListsAreKept) {
    openFilter();
    click(res::kIdFilterEnable);
    click(res::kIdFilterLiveUpdate);
    EXPECT_EQ(settings().liveUpdate, 0);
    choose(res::kIdFilterFocalLengthMax, "35.0mm");
    EXPECT_EQ(filmCount(), 2);
    EXPECT_EQ(entries(res::kIdFilterSizeMax),
              (QStringList{"4000 x 3000", "3000 x 2000", "2000 x 1500"}));
    EXPECT_EQ(entries(res::kIdFilterIsoMax), (QStringList{"800", "400", "200", "100"}));
}

TEST_F(AdvancedFilterDialogTest, aMaxBelowTheStoredMinOffersOnlyLowerEntriesAndStoresTheNewMax) {
    openFilter();
    click(res::kIdFilterEnable);
    click(res::kIdFilterLiveUpdate);
    choose(res::kIdFilterIsoMax, "800");
    choose(res::kIdFilterIsoMin, "400");
    EXPECT_EQ(settings().isoMax, 800);
    EXPECT_EQ(settings().isoMin, 400);
    choose(res::kIdFilterIsoMax, "200");
    EXPECT_EQ(entries(res::kIdFilterIsoMin), (QStringList{"200", "100"}));
    EXPECT_EQ(combo(res::kIdFilterIsoMin)->currentText(), "200");
    EXPECT_EQ(settings().isoMax, 200);
    EXPECT_EQ(settings().isoMin, 200);
    EXPECT_EQ(filmCount(), 1);
}

TEST_F(AdvancedFilterDialogTest, recheckingAnEnumerationSelectsItsStoredEntryAgain) {
    openFilter();
    click(res::kIdFilterEnable);
    choose(res::kIdFilterMetering, "spot");
    EXPECT_EQ(settings().meteringMode, 3);
    EXPECT_EQ(filmCount(), 2);
    click(res::kIdFilterMeteringCheck);
    EXPECT_EQ(settings().useMeteringMode, 0);
    EXPECT_EQ(combo(res::kIdFilterMetering)->count(), 0);
    EXPECT_FALSE(combo(res::kIdFilterMetering)->isEnabled());
    EXPECT_EQ(lamp(res::kIdFilterMeteringLamp), Lamp::Black);
    EXPECT_EQ(filmCount(), 4);
    click(res::kIdFilterMeteringCheck);
    EXPECT_TRUE(combo(res::kIdFilterMetering)->isEnabled());
    EXPECT_EQ(combo(res::kIdFilterMetering)->currentText(), "spot");
    EXPECT_EQ(filmCount(), 2);
}

TEST_F(AdvancedFilterDialogTest, theMasterSwitchResetsEveryCriterionAndChecksThoseWithValues) {
    openFilter();
    choose(res::kIdFilterMake, "Canon");
    choose(res::kIdFilterModel, "All");
    click(res::kIdFilterEnable);
    choose(res::kIdFilterIsoMax, "200");
    EXPECT_EQ(filmCount(), 2);
    click(res::kIdFilterEnable);
    EXPECT_EQ(settings().advancedEnabled, 0);
    EXPECT_EQ(settings().isoMax, 0);
    EXPECT_FALSE(check(res::kIdFilterIsoCheck)->isChecked());
    EXPECT_EQ(lamp(res::kIdFilterIsoLamp), Lamp::Black);
    // The camera filter stays in force.
    EXPECT_EQ(settings().cameraMake, "Canon");
    EXPECT_EQ(filmCount(), 3);
    click(res::kIdFilterEnable);
    EXPECT_EQ(settings().isoMax, 0);
    EXPECT_TRUE(check(res::kIdFilterIsoCheck)->isChecked());
    EXPECT_EQ(lamp(res::kIdFilterIsoLamp), Lamp::Red);
    // No picture has an exposure time, so that criterion cannot be chosen.
    EXPECT_FALSE(check(res::kIdFilterExposureTimeCheck)->isChecked());
    EXPECT_EQ(lamp(res::kIdFilterExposureTimeLamp), Lamp::Black);
}

TEST_F(AdvancedFilterDialogTest, resetFiltersKeepsTheCameraAndTheCheckBoxes) {
    openFilter();
    choose(res::kIdFilterMake, "Canon");
    choose(res::kIdFilterModel, "All");
    click(res::kIdFilterEnable);
    click(res::kIdFilterSizeCheck);
    choose(res::kIdFilterIsoMax, "200");
    EXPECT_EQ(filmCount(), 2);
    click(res::kIdFilterResetAll);
    EXPECT_EQ(settings().isoMax, 0);
    EXPECT_EQ(settings().cameraMake, "Canon");
    EXPECT_EQ(settings().cameraModel, "All");
    EXPECT_TRUE(check(res::kIdFilterIsoCheck)->isChecked());
    EXPECT_FALSE(check(res::kIdFilterSizeCheck)->isChecked());
    EXPECT_TRUE(check(res::kIdFilterEnable)->isChecked());
    EXPECT_EQ(filmCount(), 3);
}

TEST_F(AdvancedFilterDialogTest, aCriterionsResetButtonClearsItAndKeepsTheChosenCamera) {
    openFilter();
    choose(res::kIdFilterMake, "Canon");
    choose(res::kIdFilterModel, "All");
    click(res::kIdFilterEnable);
    choose(res::kIdFilterIsoMax, "200");
    EXPECT_EQ(filmCount(), 2);
    click(res::kIdFilterIsoReset);
    EXPECT_EQ(settings().isoMax, 0);
    EXPECT_EQ(settings().cameraMake, "Canon");
    EXPECT_EQ(settings().cameraModel, "All");
    EXPECT_EQ(settings().advancedEnabled, 1);
    EXPECT_EQ(filmCount(), 3);
    EXPECT_EQ(combo(res::kIdFilterMake)->currentText(), "Canon");
    EXPECT_EQ(combo(res::kIdFilterModel)->currentText(), "All");
    // The list holds what the chosen camera took over the whole range.
    EXPECT_EQ(entries(res::kIdFilterIsoMax), (QStringList{"800", "200", "100"}));

    // The camera's own button clears the camera.
    click(res::kIdFilterCameraReset);
    EXPECT_EQ(settings().cameraMake, "All");
    EXPECT_EQ(settings().cameraModel, "");
    EXPECT_EQ(combo(res::kIdFilterMake)->currentText(), "All");
    EXPECT_EQ(filmCount(), 4);
}

TEST_F(AdvancedFilterDialogTest, tickingACriterionAfterTheMasterWentOffFiltersWithIt) {
    openFilter();
    click(res::kIdFilterEnable);
    click(res::kIdFilterEnable);
    EXPECT_FALSE(check(res::kIdFilterEnable)->isChecked());
    click(res::kIdFilterIsoCheck);
    EXPECT_TRUE(check(res::kIdFilterEnable)->isChecked());
    EXPECT_EQ(settings().advancedEnabled, 1);
    choose(res::kIdFilterIsoMax, "200");
    EXPECT_EQ(filmCount(), 2);
    EXPECT_EQ(lamp(res::kIdFilterIsoLamp), Lamp::Green);
    // The others stay unticked and show that they filter nothing.
    EXPECT_FALSE(check(res::kIdFilterSizeCheck)->isChecked());
    EXPECT_EQ(lamp(res::kIdFilterSizeLamp), Lamp::Black);
}

TEST_F(AdvancedFilterDialogTest, reopeningShowsTheStoredModelAndFiltersAtOnce) {
    openFilter();
    choose(res::kIdFilterMake, "Canon");
    choose(res::kIdFilterModel, "B");
    EXPECT_EQ(filmCount(), 1);
    click(res::kIdCancel);
    dialog->buildFilm();
    EXPECT_EQ(filmCount(), 4);
    openFilter();
    // The model box lists every Canon model of the range and shows the one
    // that filters, not its first entry.
    EXPECT_EQ(entries(res::kIdFilterModel), (QStringList{"A", "All", "B"}));
    EXPECT_EQ(combo(res::kIdFilterModel)->currentText(), "B");
    EXPECT_EQ(combo(res::kIdFilterMake)->currentText(), "Canon");
    EXPECT_EQ(filmCount(), 1);
}

TEST_F(AdvancedFilterDialogTest,
       reopeningWithTheMasterSetFillsTickedCriteriaAndKeepsUntickedOnesOff) {
    // Only the first picture has an exposure time, and the album starts
    // after it: the criterion has no values at first.
    for (PictureEntry& picture : workspace.pictures()) {
        if (picture.path == dir.file("src/a.jpg")) picture.exif->ExposureTime = 0.01f;
    }
    dialog->film()->selectRow(1);
    dialog->setStartDate();
    openFilter();
    click(res::kIdFilterEnable);
    EXPECT_FALSE(check(res::kIdFilterExposureTimeCheck)->isChecked());
    choose(res::kIdFilterMetering, "spot");
    EXPECT_EQ(settings().meteringMode, 3);
    // Unticked: the choice stays stored but no longer filters.
    click(res::kIdFilterMeteringCheck);
    click(res::kIdCancel);
    EXPECT_EQ(settings().useMeteringMode, 0);
    EXPECT_EQ(settings().useExposureTime, 0);

    // The album now starts at the first picture again.
    dialog->clearStart();
    dialog->film()->selectRow(0);
    dialog->setStartDate();
    ASSERT_EQ(filmCount(), 4);
    openFilter();
    // The exposure time has values now: ticked, with its list to choose from.
    EXPECT_TRUE(check(res::kIdFilterExposureTimeCheck)->isChecked());
    EXPECT_TRUE(check(res::kIdFilterExposureTimeCheck)->isEnabled());
    EXPECT_TRUE(combo(res::kIdFilterExposureTimeMax)->isEnabled());
    EXPECT_EQ(entries(res::kIdFilterExposureTimeMax), QStringList{"(1/100)~ 0.010s"});
    EXPECT_EQ(combo(res::kIdFilterExposureTimeMax)->currentText(), "(1/100)~ 0.010s");
    EXPECT_EQ(lamp(res::kIdFilterExposureTimeLamp), Lamp::Red);
    // Metering stays off and does not filter.
    EXPECT_FALSE(check(res::kIdFilterMeteringCheck)->isChecked());
    EXPECT_TRUE(check(res::kIdFilterMeteringCheck)->isEnabled());
    EXPECT_EQ(lamp(res::kIdFilterMeteringLamp), Lamp::Black);
    EXPECT_EQ(filmCount(), 4);
    dialog->buildFilm();
    EXPECT_EQ(filmCount(), 4);
    // Ticking it again applies the stored choice.
    click(res::kIdFilterMeteringCheck);
    EXPECT_EQ(combo(res::kIdFilterMetering)->currentText(), "spot");
    EXPECT_EQ(filmCount(), 2);
}

TEST_F(AdvancedFilterDialogTest, closeWindowAndEscapeCloseTheWindow) {
    openFilter();
    QPointer<CAdvancedFilterDialog> window = filter;
    click(res::kIdCancel);
    EXPECT_FALSE(window && window->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull());
    EXPECT_EQ(dialog->advancedFilter(), nullptr);

    openFilter();
    window = filter;
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(combo(res::kIdFilterMake), &escape);
    EXPECT_FALSE(window && window->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull());
    EXPECT_EQ(dialog->advancedFilter(), nullptr);
}

TEST_F(AdvancedFilterDialogTest, afterClosingNoFilterAppliesAndReopeningRestores) {
    openFilter();
    click(res::kIdFilterEnable);
    choose(res::kIdFilterIsoMax, "200");
    EXPECT_EQ(filmCount(), 2);
    click(res::kIdCancel);
    EXPECT_EQ(dialog->advancedFilter(), nullptr);
    EXPECT_EQ(settings().useIso, 1);
    EXPECT_EQ(settings().advancedEnabled, 1);
    // Closing does not rebuild; the next build applies nothing.
    EXPECT_EQ(filmCount(), 2);
    dialog->buildFilm();
    EXPECT_EQ(filmCount(), 4);

    openFilter();
    EXPECT_TRUE(check(res::kIdFilterEnable)->isChecked());
    EXPECT_TRUE(check(res::kIdFilterIsoCheck)->isChecked());
    EXPECT_EQ(combo(res::kIdFilterIsoMax)->currentText(), "200");
    dialog->buildFilm();
    EXPECT_EQ(filmCount(), 2);
}

TEST_F(AdvancedFilterDialogTest, anEditedAlbumWithAnActiveRangeOpensWithAGreenLamp) {
    openFilter();
    click(res::kIdFilterEnable);
    choose(res::kIdFilterDistanceMax, "5.00m");
    EXPECT_EQ(filmCount(), 3);
    click(res::kIdCancel);
    controlById<QLineEdit>(*dialog, res::kIdAlbumNameEdit)->setText("Harbour");
    dialog->saveAlbum();
    workspace.finishAlbumDialog(dialog->end(), prompter);
    dialog.reset();
    ASSERT_TRUE(workspace.startEditAlbum(0, prompter));
    openEditAlbum();
    openFilter();
    EXPECT_EQ(lamp(res::kIdFilterDistanceLamp), Lamp::Green);
    EXPECT_EQ(lamp(res::kIdFilterIsoLamp), Lamp::Red);
    EXPECT_EQ(lamp(res::kIdFilterExposureTimeLamp), Lamp::Black);
}

// Discard of an edited album throws away what the filter window changed too:
// the album keeps the filter and the pictures it had when it was opened.
TEST_F(AdvancedFilterDialogTest, discardingAnEditedAlbumGivesBackItsFilter) {
    openFilter();
    click(res::kIdFilterEnable);
    choose(res::kIdFilterDistanceMax, "5.00m");
    ASSERT_EQ(filmCount(), 3);
    click(res::kIdCancel);
    controlById<QLineEdit>(*dialog, res::kIdAlbumNameEdit)->setText("Harbour");
    dialog->saveAlbum();
    workspace.finishAlbumDialog(dialog->end(), prompter);
    dialog.reset();
    const FilterSettings saved = workspace.albums[0].filter;
    ASSERT_EQ(workspace.albums[0].pictureCount, 3);

    ASSERT_TRUE(workspace.startEditAlbum(0, prompter));
    openEditAlbum();
    openFilter();
    choose(res::kIdFilterIsoMax, "200");
    ASSERT_EQ(filmCount(), 2);
    click(res::kIdCancel);
    prompter.expect("Discard the changes to this album?", "Edit Album", Buttons::YesNo,
                    kAnswerYes);
    dialog->reject();
    ASSERT_EQ(dialog->end(), DialogEnd::Discard);
    workspace.finishAlbumDialog(dialog->end(), prompter);
    dialog.reset();

    EXPECT_TRUE(workspace.albums[0].filter == saved);
    EXPECT_EQ(workspace.albums[0].pictureCount, 3);
    int members = 0;
    for (const PictureEntry& picture : workspace.pictures()) {
        members += picture.albumId == workspace.albums[0].id;
    }
    EXPECT_EQ(members, 3);

    // Opened again, the album shows the filter it was saved with.
    ASSERT_TRUE(workspace.startEditAlbum(0, prompter));
    openEditAlbum();
    openFilter();
    EXPECT_EQ(lamp(res::kIdFilterDistanceLamp), Lamp::Green);
    EXPECT_EQ(lamp(res::kIdFilterIsoLamp), Lamp::Red);
    EXPECT_EQ(filmCount(), 3);
}

}  // namespace
}  // namespace lumora
