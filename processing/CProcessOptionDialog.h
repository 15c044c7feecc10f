#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QPushButton>
#include <cstdint>

#include "albums/AlbumList.h"
#include "platform/Prompter.h"
#include "processing/ProcessOption.h"

namespace lumora {

// "Process Option": copy or move the pictures when albums are processed.
// Constructing it opens it: with a processed album it explains at once that
// the choice is fixed and leaves only "Discard". "Save" writes moveMode
// (1 move, 0 copy) and confirms the choice; "Discard" leaves it. Below it,
// "Bring companion files (RAW, sidecars, clips)", on unless turned off
// earlier in this run of the program; "Save" writes it too, and it is locked
// with the choice of copy or move.
class CProcessOptionDialog : public QDialog {
    Q_OBJECT

  public:
    CProcessOptionDialog(AlbumList& albums, int32_t& moveMode, bool& bringCompanions,
                         Prompter& prompter, QWidget* parent = nullptr);

  private slots:
    void onMoveFilesClicked(bool checked);
    void onSave();
    void onDiscard();

  private:
    int32_t& moveMode_;
    bool& bringCompanions_;
    Prompter& prompter_;
    ProcessOption option_;
    QCheckBox* moveFiles_;
    QCheckBox* bringCompanionsBox_;
    QPushButton* save_;
};

}  // namespace lumora
