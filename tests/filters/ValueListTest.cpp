#include "filters/ValueList.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <vector>

namespace lumora {
namespace {

std::vector<std::string> textsOf(const ValueList& list) {
    std::vector<std::string> texts;
    for (const CriterionValue& entry : list) texts.push_back(entry.text);
    return texts;
}

std::vector<double> valuesOf(const ValueList& list) {
    std::vector<double> values;
    for (const CriterionValue& entry : list) values.push_back(entry.value);
    return values;
}

ValueList build(FilterCriterion criterion, const std::vector<ExifInfo>& pictures) {
    ValueList list;
    for (const ExifInfo& exif : pictures) addToValueList(criterion, exif, list);
    return list;
}

ExifInfo sized(int32_t width, int32_t height) {
    ExifInfo exif;
    exif.Width = width;
    exif.Height = height;
    return exif;
}

ExifInfo focal(float mm) {
    ExifInfo exif;
    exif.FocalLength = mm;
    return exif;
}

TEST(ValueListRanges, OneEntryPerTextCarryingTheFirstValue) {
    // 7.12 and 7.08 both print " 7.1mm": the entry keeps 7.12.
    ValueList list = build(FilterCriterion::FocalLength,
                           {focal(7.12f), focal(0), focal(21.3f), focal(7.08f), focal(50)});
    EXPECT_EQ(textsOf(list), (std::vector<std::string>{" 7.1mm", "21.3mm", "50.0mm"}));
    EXPECT_EQ(list[0].value, static_cast<double>(7.12f));
    sortValueList(FilterCriterion::FocalLength, list);
    EXPECT_EQ(textsOf(list), (std::vector<std::string>{"50.0mm", "21.3mm", " 7.1mm"}));
}

TEST(ValueListRanges, SizeSortsByWidthDescendingAndKeepsTheHeight) {
    ValueList list = build(FilterCriterion::Size, {sized(640, 480), sized(2048, 1536),
                                                   sized(640, 427), sized(640, 480), sized(0, 0)});
    sortValueList(FilterCriterion::Size, list);
    EXPECT_EQ(textsOf(list),
              (std::vector<std::string>{"2048 x 1536", "640 x 480", "640 x 427", "0 x 0"}));
    EXPECT_EQ(list[2].value, 640);
    EXPECT_EQ(list[2].value2, 427);
}

TEST(ValueListRanges, ResolutionValuesAreTruncatedToIntegers) {
    ExifInfo a;
    a.Xresolution = 299.9f;
    a.Yresolution = 150.7f;
    ExifInfo b;
    b.Xresolution = 72;
    b.Yresolution = 72;
    ExifInfo unrecorded;
    ValueList list = build(FilterCriterion::Resolution, {b, unrecorded, a});
    sortValueList(FilterCriterion::Resolution, list);
    ASSERT_EQ(textsOf(list), (std::vector<std::string>{"299.9,150.7", " 72.0, 72.0"}));
    EXPECT_EQ(list[0].value, 299);
    EXPECT_EQ(list[0].value2, 150);
}

TEST(ValueListRanges, SortDirections) {
    struct Case {
        FilterCriterion criterion;
        void (*set)(ExifInfo&, int i);
        std::vector<std::string> sorted;
    };
    const Case cases[] = {
        {FilterCriterion::Aperture,
         [](ExifInfo& e, int i) {
             e.ApertureFNumber = std::array<float, 3>{5.6f, 2.8f, 11}[i];
         },
         {"f/2.8", "f/5.6", "f/11.0"}},
        {FilterCriterion::ExposureTime,
         [](ExifInfo& e, int i) {
             e.ExposureTime = std::array<float, 3>{0.01f, 2, 0.004f}[i];
         },
         {" 2.000s", "(1/100)~ 0.010s", "(1/250)~ 0.004s"}},
        {FilterCriterion::Iso,
         [](ExifInfo& e, int i) {
             e.ISOequivalent = std::array<int32_t, 3>{100, 1600, 50}[i];
         },
         {"1600", "100", "50"}},
        {FilterCriterion::FocusDistance,
         [](ExifInfo& e, int i) {
             e.Distance = std::array<float, 3>{-1, 0.5f, 12}[i];
         },
         {"12.00m", "0.50m", "Infinite"}},
        {FilterCriterion::ExposureBias,
         [](ExifInfo& e, int i) {
             e.ExposureBias = std::array<float, 3>{-0.33f, 1, 0.67f}[i];
         },
         {"1.00", "0.67", "-0.33"}},
    };
    for (const Case& c : cases) {
        ValueList list;
        for (int i = 0; i < 3; ++i) {
            ExifInfo exif;
            c.set(exif, i);
            addToValueList(c.criterion, exif, list);
        }
        sortValueList(c.criterion, list);
        EXPECT_EQ(textsOf(list), c.sorted) << criterionCaption(c.criterion);
    }
}

TEST(ValueListRanges, NanValuesSortLastWithoutBreakingTheOrder) {
    ValueList list;
    for (float mm : {10.0f, std::numeric_limits<float>::quiet_NaN(), 50.0f, 24.0f}) {
        addToValueList(FilterCriterion::FocalLength, focal(mm), list);
    }
    sortValueList(FilterCriterion::FocalLength, list);
    ASSERT_EQ(list.size(), 4u);
    EXPECT_EQ(textsOf(list)[0], "50.0mm");
    EXPECT_EQ(textsOf(list)[2], "10.0mm");
    EXPECT_TRUE(std::isnan(list[3].value));
}

TEST(ValueListEnumerations, FlashIsAllNoYesByText) {
    ExifInfo fired;
    fired.FlashUsed = 1;
    ExifInfo off;
    ValueList list = build(FilterCriterion::Flash, {fired, off, fired, off});
    EXPECT_EQ(textsOf(list), (std::vector<std::string>{"All", "Yes", "No"}));
    sortValueList(FilterCriterion::Flash, list);
    EXPECT_EQ(textsOf(list), (std::vector<std::string>{"All", "No", "Yes"}));
    EXPECT_EQ(valuesOf(list), (std::vector<double>{-1, 0, 1}));
}

TEST(ValueListEnumerations, OneEntryPerValueEvenWhenTextsRepeat) {
    // White balance 9 and 10 both read "cloudy" but are different values, so
    // both are listed; metering 0 is never listed.
    std::vector<ExifInfo> pictures(5);
    const int32_t codes[] = {10, 0, 1, 9, 10};
    for (int i = 0; i < 5; ++i) pictures[i].Whitebalance = codes[i];
    ValueList list = build(FilterCriterion::WhiteBalance, pictures);
    EXPECT_EQ(textsOf(list), (std::vector<std::string>{"All", "cloudy", "sunny", "cloudy"}));
    sortValueList(FilterCriterion::WhiteBalance, list);
    EXPECT_EQ(valuesOf(list), (std::vector<double>{-1, 1, 9, 10}));

    std::vector<ExifInfo> metering(3);
    metering[1].MeteringMode = 5;
    metering[2].MeteringMode = 2;
    list = build(FilterCriterion::MeteringMode, metering);
    sortValueList(FilterCriterion::MeteringMode, list);
    EXPECT_EQ(textsOf(list), (std::vector<std::string>{"All", "center weight", "matrix"}));
}

TEST(ValueListEnumerations, OnlyZeroValuesLeaveTheListEmpty) {
    std::vector<ExifInfo> pictures(3);
    EXPECT_TRUE(build(FilterCriterion::ExposureProgram, pictures).empty());
    EXPECT_TRUE(build(FilterCriterion::FocusDistance, pictures).empty());
    EXPECT_EQ(build(FilterCriterion::Flash, pictures).size(), 2u);  // "All", "No"
    EXPECT_TRUE(build(FilterCriterion::Camera, pictures).empty());  // has its own list
}

TEST(ValueListLookup, FirstEntryWithExactlyTheText) {
    ValueList list = build(FilterCriterion::Size, {sized(640, 480), sized(640, 427)});
    const std::optional<CriterionValue> found = lookupByText(list, "640 x 427");
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(found->value2, 427);
    EXPECT_FALSE(lookupByText(list, "640 x 427 ").has_value());
    EXPECT_FALSE(lookupByText(list, "640").has_value());
    EXPECT_FALSE(lookupByText(ValueList{}, "").has_value());

    list.push_back({"cloudy", 9, 0});
    list.push_back({"cloudy", 10, 0});
    EXPECT_EQ(lookupByText(list, "cloudy")->value, 9);
}

}  // namespace
}  // namespace lumora
