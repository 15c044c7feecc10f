#include "filters/FilterPanel.h"

#include <algorithm>
#include <unordered_set>

#include "filters/CameraList.h"
#include "filters/CriterionText.h"
#include "filters/FilterChoice.h"
#include "filters/FilterSelection.h"

namespace lumora {
namespace {

constexpr const char* kAll = "All";

bool isExifCriterion(FilterCriterion criterion) {
    return criterion != FilterCriterion::Camera;
}

void fillWithTexts(ComboState& box, const ValueList& list) {
    box.clear();
    for (const CriterionValue& entry : list) box.add(entry.text);
}

// Lists pictures as addToValueLists does, remembering the texts already
// listed: a range or the flash lists a text once, and looking it up in the
// list itself would take time in proportion to the list for every picture,
// which a film of many thousand exposure times makes too slow for a live
// refresh.
class ListedTexts {
  public:
    ListedTexts(FilterValueLists& values, const CriterionFlags& keep)
        : values_(values), keep_(keep) {}

    void add(const ExifInfo& exif) {
        for (FilterCriterion criterion : kAllCriteria) {
            if (keep_[indexOf(criterion)]) continue;
            if (criterion == FilterCriterion::Camera) {
                addToCameraList(exif, values_.cameras);
            } else if (isRange(criterion) || criterion == FilterCriterion::Flash) {
                const std::optional<std::string> text = formatCriterionValue(criterion, exif);
                if (!text || !seen_[indexOf(criterion)].insert(*text).second) continue;
                addToValueList(criterion, exif, values_.of(criterion));
            } else {
                addToValueList(criterion, exif, values_.of(criterion));
            }
        }
    }

  private:
    FilterValueLists& values_;
    const CriterionFlags& keep_;
    std::array<std::unordered_set<std::string>, kCriterionCount> seen_;
};

}  // namespace

void ComboState::clear() {
    entries.clear();
    selected.reset();
}

void ComboState::add(const std::string& text) {
    if (!sorted) {
        entries.push_back(text);
        return;
    }
    entries.insert(std::upper_bound(entries.begin(), entries.end(), text), text);
}

std::optional<std::string> ComboState::selectedText() const {
    if (!selected || *selected >= entries.size()) return std::nullopt;
    return entries[*selected];
}

bool ComboState::selectText(const std::string& text) {
    const auto found = std::find(entries.begin(), entries.end(), text);
    if (found == entries.end()) {
        selected.reset();
        return false;
    }
    selected = static_cast<std::size_t>(found - entries.begin());
    return true;
}

void resetCriterionValue(FilterSettings& settings, FilterCriterion criterion) {
    // Resetting everything on a copy and taking back this criterion's fields
    // keeps the field lists in one place.
    FilterSettings cleared = settings;
    resetCriteriaValues(cleared);
    switch (criterion) {
        case FilterCriterion::Camera:
            // As choosing "All" in the make box does.
            settings.cameraMake = kAll;
            settings.cameraModel.clear();
            break;
        case FilterCriterion::Size:
            settings.widthMax = cleared.widthMax;
            settings.widthMin = cleared.widthMin;
            break;
        case FilterCriterion::FocalLength:
            settings.focalLengthMax = cleared.focalLengthMax;
            settings.focalLengthMin = cleared.focalLengthMin;
            break;
        case FilterCriterion::Resolution:
            settings.xResolutionMax = cleared.xResolutionMax;
            settings.xResolutionMin = cleared.xResolutionMin;
            break;
        case FilterCriterion::ExposureTime:
            settings.exposureTimeMax = cleared.exposureTimeMax;
            settings.exposureTimeMin = cleared.exposureTimeMin;
            break;
        case FilterCriterion::Aperture:
            settings.apertureMax = cleared.apertureMax;
            settings.apertureMin = cleared.apertureMin;
            break;
        case FilterCriterion::Iso:
            settings.isoMax = cleared.isoMax;
            settings.isoMin = cleared.isoMin;
            break;
        case FilterCriterion::FocusDistance:
            settings.distanceMax = cleared.distanceMax;
            settings.distanceMin = cleared.distanceMin;
            break;
        case FilterCriterion::ExposureBias:
            settings.exposureBiasMax = cleared.exposureBiasMax;
            settings.exposureBiasMin = cleared.exposureBiasMin;
            break;
        case FilterCriterion::Flash:
            settings.flashUsed = cleared.flashUsed;
            break;
        case FilterCriterion::MeteringMode:
            settings.meteringMode = cleared.meteringMode;
            break;
        case FilterCriterion::ExposureProgram:
            settings.exposureProgram = cleared.exposureProgram;
            break;
        case FilterCriterion::WhiteBalance:
            settings.whiteBalance = cleared.whiteBalance;
            break;
    }
}

FilterPanel::FilterPanel(FilterPanelHost& host, FilterValueLists& values, Prompter& prompter)
    : host_(host), values_(values), prompter_(prompter) {
    model_.sorted = true;
    groupOf(FilterCriterion::Flash).max.sorted = true;
}

CriterionGroup& FilterPanel::groupOf(FilterCriterion criterion) {
    return groups_[indexOf(criterion)];
}

const CriterionGroup& FilterPanel::group(FilterCriterion criterion) const {
    return groups_[indexOf(criterion)];
}

FilterSettings& FilterPanel::settings() {
    FilterSettings* album = host_.filterSettings();
    return album ? *album : fallback_;
}

CriterionFlags FilterPanel::checks() const {
    CriterionFlags flags{};
    for (FilterCriterion criterion : kAllCriteria) {
        if (isExifCriterion(criterion)) flags[indexOf(criterion)] = group(criterion).checked;
    }
    return flags;
}

void FilterPanel::rebuild() {
    host_.rebuildFilm();
}

// Opening.

void FilterPanel::open() {
    const FilterSettings& stored = settings();
    const CriterionFlags saved = savedChecks(stored);
    for (FilterCriterion criterion : kAllCriteria) {
        if (!isExifCriterion(criterion)) continue;
        CriterionGroup& controls = groupOf(criterion);
        controls.checked = saved[indexOf(criterion)];
        controls.checkEnabled = false;
        controls.max.enabled = false;
        controls.min.enabled = false;
    }
    master_ = stored.advancedEnabled != 0;
    live_ = stored.liveUpdate != 0;
    make_.enabled = true;
    model_.enabled = true;
    refreshCriteria();
    // New or edited, the check boxes show what filters: with the master
    // switch off nothing does, whatever an old record's check fields hold.
    for (FilterCriterion criterion : kAllCriteria) {
        if (!isExifCriterion(criterion)) continue;
        showOpeningCheck(criterion, saved[indexOf(criterion)]);
    }
    // The film on screen was built without the filter; from now on it shows
    // what the window shows.
    rebuild();
}

void FilterPanel::showOpeningCheck(FilterCriterion criterion, bool savedCheck) {
    CriterionGroup& controls = groupOf(criterion);
    const bool available = hasValues(values_, criterion);
    const bool active = isCriterionActive(settings(), criterion);
    // Every criterion with values is ticked, except one the person unticked
    // while its choice is still stored: ticking it would apply that choice
    // again behind their back.
    controls.checked = master_ && available && (savedCheck || !active);
    controls.checkEnabled = available;
    if (!controls.checked) {
        controls.max.clear();
        controls.min.clear();
        controls.max.enabled = controls.min.enabled = false;
        controls.lamp = Lamp::Black;
        return;
    }
    fillBoxes(criterion);
    restoreSelection(criterion);
    controls.lamp = active ? Lamp::Green : Lamp::Red;
}

// The refresh.

void FilterPanel::refreshCriteria() {
    const std::vector<const ExifInfo*> pictures = host_.filmPictures();
    if (pictures.empty()) {
        prompter_.ask(kNoPictureText, "", Buttons::Ok, Icon::None);
        return;
    }
    clearValueLists(values_, keep_);
    const bool camera = !keep_[indexOf(FilterCriterion::Camera)];
    if (camera) {
        make_.clear();
        model_.clear();
        make_.add(kAll);
    }
    ListedTexts lister(values_, keep_);
    for (const ExifInfo* exif : pictures) {
        const std::size_t makesBefore = values_.cameras.size();
        const CameraEntry* entry = findCamera(values_.cameras, cameraMakeText(*exif));
        const std::size_t modelsBefore = entry ? entry->models.size() : 0;
        lister.add(*exif);
        if (!camera) continue;
        if (values_.cameras.size() > makesBefore) make_.add(values_.cameras.back().make);
        entry = findCamera(values_.cameras, cameraMakeText(*exif));
        if (entry && entry->models.size() > modelsBefore) {
            const std::string modelText = cameraModelText(*exif);
            if (std::find(model_.entries.begin(), model_.entries.end(), modelText) ==
                model_.entries.end()) {
                model_.add(modelText);
            }
        }
    }
    sortValueLists(values_);
    for (FilterCriterion criterion : kAllCriteria) {
        if (!isExifCriterion(criterion) || keep_[indexOf(criterion)]) continue;
        CriterionGroup& controls = groupOf(criterion);
        if (!controls.checked) {
            controls.max.clear();
            controls.min.clear();
            controls.max.enabled = controls.min.enabled = false;
            controls.lamp = Lamp::Black;
        } else {
            fillBoxes(criterion);
        }
    }
    if (camera) restoreCamera();
    for (FilterCriterion criterion : kAllCriteria) {
        if (!isExifCriterion(criterion) || keep_[indexOf(criterion)]) continue;
        if (groupOf(criterion).checked) restoreSelection(criterion);
    }
}

void FilterPanel::fillBoxes(FilterCriterion criterion) {
    CriterionGroup& controls = groupOf(criterion);
    const ValueList& list = values_.of(criterion);
    fillWithTexts(controls.max, list);
    if (isRange(criterion)) fillWithTexts(controls.min, list);
    const bool available = !list.empty();
    controls.max.enabled = available;
    controls.min.enabled = available && isRange(criterion);
    controls.checkEnabled = available;
    if (!available) controls.lamp = Lamp::Black;
}

void FilterPanel::restoreCamera() {
    const std::string& stored = settings().cameraMake;
    if (stored == kAll) {
        make_.selected = 0;
    } else {
        const auto found =
            std::find_if(values_.cameras.begin(), values_.cameras.end(),
                         [&](const CameraEntry& entry) { return entry.make == stored; });
        if (found == values_.cameras.end()) {
            make_.selected.reset();
            return;
        }
        make_.selected = static_cast<std::size_t>(found - values_.cameras.begin()) + 1;
    }
    makeChosen();
    // The stored model filters the film, so the box shows it rather than its
    // first entry. A stored "All" behind a make of one model is not listed;
    // that model then stands for it, as it is all the film holds.
    if (stored != kAll && !model_.selectText(settings().cameraModel) && !model_.entries.empty()) {
        model_.selected = 0;
    }
}

void FilterPanel::restoreSelection(FilterCriterion criterion) {
    CriterionGroup& controls = groupOf(criterion);
    const ValueList& list = values_.of(criterion);
    if (isRange(criterion)) {
        controls.max.selected = maxSelection(criterion, list, settings());
        if (controls.max.selected) maxChosen(criterion);
        return;
    }
    const std::optional<std::size_t> entry = enumerationSelection(criterion, list, settings());
    // The flash box orders its entries itself, so the entry is found by text.
    if (entry) {
        controls.max.selectText(list[*entry].text);
    } else {
        controls.max.selected.reset();
    }
}

// The selection-made steps.

void FilterPanel::makeChosen() {
    if (!make_.selected) return;
    const std::size_t position = *make_.selected;
    if (position == 0) {
        // The refresh lists every make's models in the box; behind "All"
        // they mean nothing, so the box is emptied as well as disabled.
        model_.clear();
        model_.enabled = false;
        return;
    }
    model_.clear();
    if (position - 1 < values_.cameras.size()) {
        for (const std::string& model : values_.cameras[position - 1].models) model_.add(model);
    }
    model_.enabled = true;
    if (!model_.entries.empty()) model_.selected = 0;
}

void FilterPanel::maxChosen(FilterCriterion criterion) {
    CriterionGroup& controls = groupOf(criterion);
    const ValueList& list = values_.of(criterion);
    if (!controls.max.selected || *controls.max.selected >= list.size()) return;
    const std::vector<std::size_t> candidates =
        minCandidates(criterion, list, *controls.max.selected);
    controls.min.clear();
    for (std::size_t index : candidates) controls.min.add(list[index].text);
    controls.min.selected = minSelection(criterion, list, candidates, settings());
}

// The handlers.

void FilterPanel::choose(FilterCriterion criterion, ComboRole role, std::size_t index) {
    if (criterion == FilterCriterion::Camera) {
        ComboState& box = role == ComboRole::Make ? make_ : model_;
        if (index >= box.entries.size()) return;
        box.selected = index;
        if (role == ComboRole::Make) makeChosen();
        cameraChanged();
        return;
    }
    CriterionGroup& controls = groupOf(criterion);
    ComboState& box = role == ComboRole::Min ? controls.min : controls.max;
    if (index >= box.entries.size()) return;
    box.selected = index;
    if (isRange(criterion) && role == ComboRole::Max) maxChosen(criterion);
    criterionChanged(criterion);
}

void FilterPanel::cameraChanged() {
    FilterSettings& stored = settings();
    const std::optional<std::string> makeText = make_.selectedText();
    if (makeText) stored.cameraMake = *makeText;
    if (stored.cameraMake != kAll) {
        if (const std::optional<std::string> modelText = model_.selectedText()) {
            stored.cameraModel = *modelText;
        }
        keep_[indexOf(FilterCriterion::Camera)] = true;
    } else {
        stored.cameraModel.clear();
        model_.clear();
    }
    rebuild();
    if (live_) refreshCriteria();
    keep_[indexOf(FilterCriterion::Camera)] = false;
}

void FilterPanel::storeChoice(FilterCriterion criterion) {
    const CriterionGroup& controls = groupOf(criterion);
    const ValueList& list = values_.of(criterion);
    if (isRange(criterion)) {
        storeRangeChoice(settings(), criterion, list, controls.max.selectedText().value_or(""),
                         controls.min.selectedText().value_or(""));
    } else {
        storeEnumerationChoice(settings(), criterion, list,
                               controls.max.selectedText().value_or(""));
    }
}

void FilterPanel::criterionChanged(FilterCriterion criterion) {
    storeChoice(criterion);
    rebuild();
    refreshWithKept(criterion);
}

void FilterPanel::refreshWithKept(FilterCriterion criterion) {
    keep_[indexOf(criterion)] = true;
    if (live_) refreshCriteria();
    keep_[indexOf(criterion)] = false;
}

void FilterPanel::checkEveryCriterionWithValues(bool enabled) {
    for (FilterCriterion criterion : kAllCriteria) {
        if (!isExifCriterion(criterion)) continue;
        CriterionGroup& controls = groupOf(criterion);
        controls.checked = enabled && hasValues(values_, criterion);
        controls.lamp = controls.checked ? Lamp::Red : Lamp::Black;
    }
}

void FilterPanel::toggleMaster(bool enabled) {
    master_ = enabled;
    FilterSettings& stored = settings();
    stored.advancedEnabled = enabled ? 1 : 0;
    resetCriteriaValues(stored);
    checkEveryCriterionWithValues(enabled);
    rebuild();
    refreshCriteria();
}

void FilterPanel::toggleCheck(FilterCriterion criterion, bool checked) {
    if (!isExifCriterion(criterion)) return;
    CriterionGroup& controls = groupOf(criterion);
    controls.checked = checked;
    *useField(settings(), criterion) = checked ? 1 : 0;
    if (checked) {
        controls.max.enabled = true;
        controls.min.enabled = isRange(criterion);
        // A ticked criterion filters: the master switch goes on in the album
        // as well as on the screen.
        master_ = true;
        settings().advancedEnabled = 1;
        rebuild();
        if (live_) {
            refreshCriteria();
            return;
        }
        fillBoxes(criterion);
        restoreSelection(criterion);
        return;
    }
    controls.lamp = Lamp::Black;
    storeChoice(criterion);
    rebuild();
    if (live_) refreshCriteria();
    controls.max.clear();
    controls.min.clear();
    controls.max.enabled = controls.min.enabled = false;
}

void FilterPanel::toggleLiveUpdate(bool live) {
    live_ = live;
    settings().liveUpdate = live ? 1 : 0;
}

void FilterPanel::resetFilters() {
    resetCriteriaValues(settings());
    rebuild();
    refreshCriteria();
}

void FilterPanel::resetCriterion(FilterCriterion criterion) {
    keep_.fill(true);
    resetCriterionValue(settings(), criterion);
    // The list is rebuilt from the range with only the camera applied; the
    // camera the person chose stays chosen.
    const int32_t enabled = settings().advancedEnabled;
    settings().advancedEnabled = 0;
    keep_[indexOf(FilterCriterion::Camera)] = false;
    keep_[indexOf(criterion)] = false;
    rebuild();
    refreshCriteria();
    keep_.fill(false);
    settings().advancedEnabled = enabled;
    rebuild();
    // This list keeps what the whole range offers; the others narrow to the
    // re-filtered film.
    keep_[indexOf(criterion)] = true;
    refreshCriteria();
    keep_[indexOf(criterion)] = false;
}

void FilterPanel::filmBuilt(const CriterionFlags& tested) {
    if (!settings().advancedEnabled) return;
    for (FilterCriterion criterion : kAllCriteria) {
        if (!isExifCriterion(criterion)) continue;
        // An unticked criterion filters nothing, whatever its list holds.
        if (!group(criterion).checked) {
            groupOf(criterion).lamp = Lamp::Black;
        } else if (tested[indexOf(criterion)]) {
            groupOf(criterion).lamp = Lamp::Green;
        } else if (hasValues(values_, criterion)) {
            groupOf(criterion).lamp = Lamp::Red;
        }
    }
}

void FilterPanel::close() {
    FilterSettings& stored = settings();
    for (FilterCriterion criterion : kAllCriteria) {
        if (int32_t* use = useField(stored, criterion)) *use = group(criterion).checked ? 1 : 0;
    }
    stored.advancedEnabled = master_ ? 1 : 0;
    stored.liveUpdate = live_ ? 1 : 0;
}

}  // namespace lumora
