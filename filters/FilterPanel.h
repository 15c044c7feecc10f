#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "catalog/ExifInfo.h"
#include "filters/FilterCriterion.h"
#include "filters/FilterSettings.h"
#include "filters/FilterValueLists.h"
#include "platform/Prompter.h"

namespace lumora {

// The state of the Advanced Filter window without its widgets: the entries,
// selection and enabled state of every combo box, the check boxes, the lamps
// and every handler. The window only mirrors this state into its controls and
// passes the user's choices in, so all of it can be driven without a display.

enum class Lamp { Black, Red, Green };

struct ComboState {
    std::vector<std::string> entries;
    std::optional<std::size_t> selected;
    bool enabled = false;
    // The model and flash boxes keep their entries in alphabetical order.
    bool sorted = false;

    void clear();
    void add(const std::string& text);
    std::optional<std::string> selectedText() const;
    bool selectText(const std::string& text);
};

// One EXIF criterion's group: its check box, one box (an enumeration) or a
// Max and a Min box (a range), and its lamp.
struct CriterionGroup {
    bool checked = false;
    bool checkEnabled = false;
    Lamp lamp = Lamp::Black;
    ComboState max;  // the only box of an enumeration
    ComboState min;
};

// Which box a choice was made in.
enum class ComboRole { Make, Model, Max, Min };

// What the window needs from the Edit Album dialog.
class FilterPanelHost {
  public:
    virtual ~FilterPanelHost() = default;
    // The filter of the album being edited; null when there is none.
    virtual FilterSettings* filterSettings() = 0;
    // Rebuilds the film with the panel's check boxes; the film build then
    // calls FilterPanel::filmBuilt.
    virtual void rebuildFilm() = 0;
    // The film's pictures from which the value lists are built, in film order.
    virtual std::vector<const ExifInfo*> filmPictures() = 0;
};

inline constexpr const char* kNoPictureText =
    "No picture to display.Please try other filter settings.";

class FilterPanel {
  public:
    FilterPanel(FilterPanelHost& host, FilterValueLists& values, Prompter& prompter);

    // Loads the switches from the album, fills the lists and boxes from the
    // film, sets the check boxes and lamps from the album's filter (a new
    // album's and an edited one's alike), and rebuilds the film so that it
    // shows what the window shows.
    void open();
    // Rebuilds every list whose keep flag is clear from the film, refills the
    // boxes and restores the album's choices in them.
    void refreshCriteria();

    // A choice from a box's list: the "selection made" step of the make and
    // Max boxes, then the "selection changed" handler.
    void choose(FilterCriterion criterion, ComboRole role, std::size_t index);
    void toggleCheck(FilterCriterion criterion, bool checked);
    void toggleMaster(bool enabled);
    void toggleLiveUpdate(bool live);
    void resetFilters();
    // The reset button beside a criterion's lamp (Camera: beside the model).
    void resetCriterion(FilterCriterion criterion);
    // After every film build while the window exists.
    void filmBuilt(const CriterionFlags& tested);
    // Closing: the switches go into the album.
    void close();

    // The check boxes as the film build applies them.
    CriterionFlags checks() const;
    const ComboState& make() const { return make_; }
    const ComboState& model() const { return model_; }
    const CriterionGroup& group(FilterCriterion criterion) const;
    bool masterSwitch() const { return master_; }
    bool liveUpdate() const { return live_; }

  private:
    CriterionGroup& groupOf(FilterCriterion criterion);
    FilterSettings& settings();
    void rebuild();
    void refreshWithKept(FilterCriterion criterion);
    void listFilmPictures();
    void fillBoxes(FilterCriterion criterion);
    void restoreSelection(FilterCriterion criterion);
    void restoreCamera();
    void showOpeningCheck(FilterCriterion criterion, bool savedCheck);
    void makeChosen();
    void maxChosen(FilterCriterion criterion);
    void storeChoice(FilterCriterion criterion);
    void cameraChanged();
    void criterionChanged(FilterCriterion criterion);
    void checkEveryCriterionWithValues(bool enabled);

    FilterPanelHost& host_;
    FilterValueLists& values_;
    Prompter& prompter_;
    FilterSettings fallback_;
    CriterionFlags keep_{};
    ComboState make_;
    ComboState model_;
    std::array<CriterionGroup, kCriterionCount> groups_{};
    bool master_ = false;
    bool live_ = true;
};

// Clears one criterion's stored choice: a range to 0 and 0, an enumeration
// to -1, the camera's make to "All" (and its model to none).
void resetCriterionValue(FilterSettings& settings, FilterCriterion criterion);

}  // namespace lumora
