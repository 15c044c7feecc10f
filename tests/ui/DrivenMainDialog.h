#pragma once

#include <QCoreApplication>
#include <QPushButton>
#include <functional>

#include "albums/CEditAlbumDialog.h"
#include "app/CMainDialog.h"
#include "processing/CAlbumsProcessingDialog.h"
#include "res/ResourceIds.h"
#include "tests/ui/ControlById.h"

namespace lumora::test {

// The main window whose modal dialogs are driven by the test instead of a
// person: the Edit Album dialog by `editAlbum`, the processing dialog by
// pressing its "Process"; any other dialog is closed at once.
class DrivenMainDialog : public CMainDialog {
  public:
    using CMainDialog::CMainDialog;
    std::function<void(CEditAlbumDialog&)> editAlbum;

  protected:
    int runDialog(QDialog& dialog) override {
        if (auto* edit = dynamic_cast<CEditAlbumDialog*>(&dialog)) {
            edit->show();
            QCoreApplication::processEvents();  // the first paint builds the film
            if (editAlbum) editAlbum(*edit);
            edit->hide();
            return edit->result();
        }
        if (auto* processing = dynamic_cast<CAlbumsProcessingDialog*>(&dialog)) {
            processing->show();
            QCoreApplication::processEvents();  // the free-space check
            controlById<QPushButton>(*processing, res::kIdProcessAlbums)->click();
            processing->hide();
            return QDialog::Accepted;
        }
        return QDialog::Rejected;
    }
};

}  // namespace lumora::test
