#pragma once

#include <QDialog>
#include <QPixmap>
#include <array>

#include "filters/FilterPanel.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QToolButton;

namespace lumora {

// "Advanced Filter": the modeless window in which the album's filter is set
// while the film narrows. All its logic lives in FilterPanel; the window shows
// the panel's state and passes each choice in. Closing copies the switches
// into the album, emits closed() and deletes the window.
class CAdvancedFilterDialog : public QDialog {
    Q_OBJECT

  public:
    CAdvancedFilterDialog(FilterPanelHost& host, FilterValueLists& values, Prompter& prompter,
                          QWidget* parent);

    // Fills the window from the album's filter and shows it. A new album
    // opens as an edited one does: the window shows what its filter holds.
    void openFor(bool newAlbum);
    // After every film build: the lamps.
    void filmBuilt(const CriterionFlags& tested);
    CriterionFlags checks() const { return panel_.checks(); }
    FilterPanel& panel() { return panel_; }
    // Shows the panel's state in the controls.
    void showState();

    void reject() override;

  signals:
    void closed();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    struct GroupWidgets {
        QCheckBox* check = nullptr;
        QComboBox* max = nullptr;
        QComboBox* min = nullptr;
        QLabel* lamp = nullptr;
        QToolButton* reset = nullptr;
    };

    void buildControls();
    QWidget* buildCameraGroup();
    QWidget* buildCriterionGroup(FilterCriterion criterion);
    QComboBox* makeCombo(int id, FilterCriterion criterion, ComboRole role);
    QToolButton* makeResetButton(int id, FilterCriterion criterion);
    void showLamp(QLabel* lamp, Lamp colour);

    FilterPanel panel_;
    bool closing_ = false;
    std::array<GroupWidgets, kCriterionCount> groups_{};
    QComboBox* make_ = nullptr;
    QComboBox* model_ = nullptr;
    QCheckBox* master_ = nullptr;
    QCheckBox* live_ = nullptr;
    std::array<QPixmap, 3> lamps_;
};

}  // namespace lumora
