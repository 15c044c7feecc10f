#pragma once

#include <gtest/gtest.h>

#include <QDialog>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QStringList>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "albums/CEditAlbumDialog.h"
#include "albums/DateTimeText.h"
#include "albums/FilmModel.h"
#include "albums/FilmView.h"
#include "res/ResourceIds.h"
#include "tests/support/PictureFiles.h"
#include "tests/support/ScriptedPrompter.h"
#include "tests/support/TempDir.h"
#include "tests/support/TzGuard.h"
#include "tests/ui/ControlById.h"

namespace lumora::test {

// What the Edit Album dialog's tests share: a folder of pictures scanned into
// a workspace, the dialog over it with its first paint done, and ways to read
// its controls.

class RecordingStatus : public ProgressSink {
  public:
    void setStatus(const std::string& text) override { texts.push_back(text); }
    std::vector<std::string> texts;
};

// The dialog with the dialogs it opens answered by the test.
class TestEditAlbumDialog : public CEditAlbumDialog {
  public:
    using CEditAlbumDialog::CEditAlbumDialog;
    std::function<int(QDialog&)> answerDialog;
    QStringList dialogsRun;

  protected:
    int runDialog(QDialog& dialog) override {
        dialogsRun.push_back(dialog.windowTitle());
        return answerDialog ? answerDialog(dialog) : QDialog::Rejected;
    }
};

class EditAlbumFixture : public ::testing::Test {
  protected:
    EditAlbumFixture() : workspace(realFileSystem(), clock) {}

    // Pictures named against their dates' order: by name d, c, b, a would
    // come last to first.
    void writeFourPictures() {
        dir.writeFile("src/d.jpg", test::exifPicture("2021:06:01 10:00:00"));
        dir.writeFile("src/c.jpg", test::exifPicture("2021:06:01 11:00:00"));
        dir.writeFile("src/b.jpg", test::exifPicture("2021:06:02 09:00:00"));
        dir.writeFile("src/a.jpg", test::exifPicture("2021:06:02 09:30:00"));
    }
    void scan() { workspace.setSource(dir.file("src"), prompter, nullProgress()); }
    // "Start from positive" or "Start from negative" and the dialog over it,
    // with its first paint done.
    void openNewAlbum(int32_t negative = 0) {
        ASSERT_TRUE(workspace.startNewAlbum(negative, prompter));
        openDialog();
    }
    void openDialog() {
        dialog = std::make_unique<TestEditAlbumDialog>(workspace, filmImages, prompter);
        dialog->watchStatus(&status);
        dialog->firstPaint();
    }
    // How the main window ends the dialog.
    void finish() { workspace.finishAlbumDialog(dialog->end(), prompter); }

    QString text(int id) {
        if (auto* label = controlById<QLabel>(*dialog, id)) return label->text();
        if (auto* box = controlById<QLineEdit>(*dialog, id)) return box->text();
        ADD_FAILURE() << "no text control " << id;
        return {};
    }
    bool enabled(int id) { return controlById<QWidget>(*dialog, id)->isEnabled(); }
    QString dateTimeOf(size_t filmPosition) {
        return QString::fromStdString(
            dateTimeText(workspace.film.at(filmPosition).dateTime, 1, 1));
    }
    QString label(int row) {
        return dialog->filmModel()
            ->data(dialog->filmModel()->index(row), Qt::DisplayRole)
            .toString();
    }
    int rows() { return dialog->filmModel()->rowCount(); }
    void select(int row) { dialog->film()->selectRow(row); }
    QStringList infoLines() {
        QStringList lines;
        auto* list = controlById<QListWidget>(*dialog, res::kIdPictureInfoList);
        for (int i = 0; i < list->count(); ++i) lines << list->item(i)->text();
        return lines;
    }
    std::vector<std::string> textsStartingWith(const std::string& start) {
        std::vector<std::string> found;
        for (const std::string& t : status.texts) {
            if (t.rfind(start, 0) == 0) found.push_back(t);
        }
        return found;
    }

    test::TzGuard zone{"UTC0"};
    FixedClock clock{1700000000};
    test::TempDir dir;
    ScriptedPrompter prompter;
    Workspace workspace;
    std::vector<QImage> filmImages;
    RecordingStatus status;
    std::unique_ptr<TestEditAlbumDialog> dialog;
};

}  // namespace lumora::test
