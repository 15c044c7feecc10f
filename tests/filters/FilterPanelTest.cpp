#include "filters/FilterPanel.h"

#include <gtest/gtest.h>

#include <cstring>

#include "filters/FilterMatch.h"

namespace lumora {
namespace {

class RecordingPrompter : public Prompter {
  public:
    int ask(const std::string& text, const std::string&, Buttons, Icon) override {
        texts.push_back(text);
        return kAnswerOk;
    }
    std::vector<std::string> texts;
};

// A film of in-memory pictures, narrowed by the panel's filter on every
// rebuild as the Edit Album dialog does it.
class FakeFilm : public FilterPanelHost {
  public:
    FilterSettings* filterSettings() override { return &settings; }
    void rebuildFilm() override {
        ++rebuilds;
        film.clear();
        CriterionFlags tested{};
        for (const ExifInfo& picture : pictures) {
            const FilterMatch match = matchesFilter(picture, settings, panel->checks());
            for (size_t i = 0; i < kCriterionCount; ++i) tested[i] |= match.tested[i];
            if (match.passes) film.push_back(&picture);
        }
        panel->filmBuilt(tested);
    }
    std::vector<const ExifInfo*> filmPictures() override { return film; }

    FilterSettings settings;
    std::vector<ExifInfo> pictures;
    std::vector<const ExifInfo*> film;
    FilterPanel* panel = nullptr;
    int rebuilds = 0;
};

ExifInfo picture(const char* make, int32_t iso, int32_t metering) {
    ExifInfo exif;
    std::strcpy(exif.CameraMake, make);
    std::strcpy(exif.CameraModel, "M");
    exif.Width = 640;
    exif.Height = 480;
    exif.ISOequivalent = iso;
    exif.MeteringMode = metering;
    return exif;
}

class FilterPanelTest : public ::testing::Test {
  protected:
    void SetUp() override {
        host.pictures = {picture("Canon", 100, 3), picture("Canon", 400, 5),
                         picture("Nikon", 800, 3)};
        for (const ExifInfo& exif : host.pictures) host.film.push_back(&exif);
        host.panel = &panel;
    }
    std::vector<std::string> entries(FilterCriterion criterion) {
        return panel.group(criterion).max.entries;
    }

    FakeFilm host;
    FilterValueLists values;
    RecordingPrompter prompter;
    FilterPanel panel{host, values, prompter};
};

TEST_F(FilterPanelTest, anEmptyFilmSaysSoAndKeepsTheLists) {
    panel.open();
    panel.toggleMaster(true);
    host.film.clear();
    panel.refreshCriteria();
    EXPECT_EQ(prompter.texts,
              std::vector<std::string>{"No picture to display.Please try other filter settings."});
    EXPECT_EQ(entries(FilterCriterion::Iso), (std::vector<std::string>{"800", "400", "100"}));
}

TEST_F(FilterPanelTest, theRefreshListsATextOnceWithTheFirstPicturesValue) {
    host.pictures[0].FocalLength = 50.04f;
    host.pictures[1].FocalLength = 50.01f;
    host.pictures[2].FocalLength = 35.0f;
    panel.open();
    panel.toggleMaster(true);
    const ValueList& focal = values.of(FilterCriterion::FocalLength);
    ASSERT_EQ(focal.size(), 2u);
    EXPECT_EQ(focal[0].text, "50.0mm");
    EXPECT_FLOAT_EQ(static_cast<float>(focal[0].value), 50.04f);
    EXPECT_EQ(entries(FilterCriterion::Flash), (std::vector<std::string>{"All", "No"}));
    // A second refresh starts the lists afresh.
    panel.refreshCriteria();
    EXPECT_EQ(values.of(FilterCriterion::FocalLength).size(), 2u);
}

TEST_F(FilterPanelTest, lampsFollowTheBuildOnlyWhileFilteringIsOn) {
    panel.open();
    EXPECT_EQ(panel.group(FilterCriterion::Iso).lamp, Lamp::Black);
    panel.choose(FilterCriterion::Camera, ComboRole::Make, 1);
    // Filtering off: the camera filters, the lamps stay as they are.
    EXPECT_EQ(host.film.size(), 2u);
    EXPECT_EQ(panel.group(FilterCriterion::Iso).lamp, Lamp::Black);
    panel.toggleMaster(true);
    EXPECT_EQ(panel.group(FilterCriterion::Iso).lamp, Lamp::Red);
    // A criterion without values keeps its black lamp after a build.
    EXPECT_EQ(panel.group(FilterCriterion::Aperture).lamp, Lamp::Black);
    panel.choose(FilterCriterion::Iso, ComboRole::Max, 1);
    EXPECT_EQ(panel.group(FilterCriterion::Iso).lamp, Lamp::Green);
    EXPECT_EQ(panel.group(FilterCriterion::MeteringMode).lamp, Lamp::Red);
    EXPECT_EQ(panel.group(FilterCriterion::Aperture).lamp, Lamp::Black);
}

TEST_F(FilterPanelTest, aResetButtonRebuildsItsListFromTheWholeRangeAndNarrowsTheOthers) {
    panel.open();
    panel.toggleMaster(true);
    panel.choose(FilterCriterion::MeteringMode, ComboRole::Max, 1);  // "spot"
    panel.choose(FilterCriterion::Iso, ComboRole::Max, 1);           // 100 of 800, 100
    EXPECT_EQ(host.settings.meteringMode, 3);
    EXPECT_EQ(host.settings.isoMax, 100);
    ASSERT_EQ(host.film.size(), 1u);
    EXPECT_EQ(entries(FilterCriterion::Iso), (std::vector<std::string>{"800", "100"}));
    panel.resetCriterion(FilterCriterion::Iso);
    EXPECT_EQ(host.settings.isoMax, 0);
    EXPECT_EQ(host.settings.meteringMode, 3);
    EXPECT_EQ(host.settings.advancedEnabled, 1);
    EXPECT_EQ(host.film.size(), 2u);
    // The ISO list holds every value of the range; the metering list only
    // what the re-filtered film holds.
    EXPECT_EQ(entries(FilterCriterion::Iso), (std::vector<std::string>{"800", "400", "100"}));
    EXPECT_EQ(entries(FilterCriterion::MeteringMode), (std::vector<std::string>{"All", "spot"}));
}

TEST_F(FilterPanelTest, aTickedCriterionFiltersAndAnUntickedOneShowsBlack) {
    panel.open();
    panel.toggleMaster(true);
    panel.toggleMaster(false);
    panel.toggleLiveUpdate(false);
    panel.toggleCheck(FilterCriterion::Iso, true);
    // The master switch the window shows is the one the film build reads.
    EXPECT_TRUE(panel.masterSwitch());
    EXPECT_EQ(host.settings.advancedEnabled, 1);
    panel.choose(FilterCriterion::Iso, ComboRole::Max, 1);  // 400 of 800, 400, 100
    EXPECT_EQ(host.film.size(), 2u);
    EXPECT_EQ(panel.group(FilterCriterion::Iso).lamp, Lamp::Green);
    // Without a refresh after the build, an unticked criterion with values
    // still shows that it filters nothing.
    EXPECT_EQ(panel.group(FilterCriterion::MeteringMode).lamp, Lamp::Black);
    panel.toggleCheck(FilterCriterion::MeteringMode, true);
    panel.toggleCheck(FilterCriterion::MeteringMode, false);
    EXPECT_EQ(panel.group(FilterCriterion::MeteringMode).lamp, Lamp::Black);
}

TEST_F(FilterPanelTest, closingCopiesTheSwitchesIntoTheAlbum) {
    panel.open();
    panel.toggleMaster(true);
    panel.toggleCheck(FilterCriterion::Size, false);
    panel.toggleLiveUpdate(false);
    host.settings.useIso = 0;  // as a stale record would hold it
    panel.close();
    EXPECT_EQ(host.settings.advancedEnabled, 1);
    EXPECT_EQ(host.settings.liveUpdate, 0);
    EXPECT_EQ(host.settings.useIso, 1);
    EXPECT_EQ(host.settings.useSize, 0);
}

TEST(ComboStateTest, aSortedBoxPlacesEntriesAlphabeticallyAndSelectsByText) {
    ComboState box;
    box.sorted = true;
    for (const char* text : {"B", "All", "A"}) box.add(text);
    EXPECT_EQ(box.entries, (std::vector<std::string>{"A", "All", "B"}));
    EXPECT_TRUE(box.selectText("B"));
    EXPECT_EQ(box.selected, 2u);
    EXPECT_FALSE(box.selectText("C"));
    EXPECT_FALSE(box.selected.has_value());
}

}  // namespace
}  // namespace lumora
