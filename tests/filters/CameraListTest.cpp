#include "filters/CameraList.h"

#include <gtest/gtest.h>

#include <cstring>

namespace lumora {
namespace {

ExifInfo camera(const char* make, const char* model) {
    ExifInfo exif;
    std::strncpy(exif.CameraMake, make, sizeof exif.CameraMake - 1);
    std::strncpy(exif.CameraModel, model, sizeof exif.CameraModel - 1);
    return exif;
}

using Models = std::vector<std::string>;

TEST(CameraList, MakesAndModelsInOrderOfFirstAppearanceWithAllBeforeTwoOrMore) {
    CameraList cameras;
    addToCameraList(camera("NIKON", "E990"), cameras);
    addToCameraList(camera("Canon", "PowerShot A80"), cameras);
    addToCameraList(camera("NIKON", "E990"), cameras);
    EXPECT_EQ(cameras[0].models, (Models{"E990"}));
    addToCameraList(camera("NIKON", "D70"), cameras);
    EXPECT_EQ(cameras[0].models, (Models{"All", "E990", "D70"}));
    addToCameraList(camera("NIKON", "D100"), cameras);
    addToCameraList(camera("nikon", "D70"), cameras);  // makes compare byte-wise
    addToCameraList(camera("", ""), cameras);

    ASSERT_EQ(cameras.size(), 4u);
    EXPECT_EQ(cameras[0], (CameraEntry{"NIKON", {"All", "E990", "D70", "D100"}}));
    EXPECT_EQ(cameras[1], (CameraEntry{"Canon", {"PowerShot A80"}}));
    EXPECT_EQ(cameras[2], (CameraEntry{"nikon", {"D70"}}));
    EXPECT_EQ(cameras[3], (CameraEntry{"", {""}}));
}

TEST(CameraList, AnEmptyModelIsAModelOfItsOwn) {
    CameraList cameras;
    addToCameraList(camera("Canon", ""), cameras);
    addToCameraList(camera("Canon", "EOS"), cameras);
    addToCameraList(camera("Canon", ""), cameras);
    EXPECT_EQ(cameras[0].models, (Models{"All", "", "EOS"}));
}

TEST(CameraList, FindCamera) {
    CameraList cameras;
    addToCameraList(camera("Canon", "EOS"), cameras);
    addToCameraList(camera("Sony", "A7"), cameras);
    ASSERT_NE(findCamera(cameras, "Sony"), nullptr);
    EXPECT_EQ(findCamera(cameras, "Sony")->models, (Models{"A7"}));
    EXPECT_EQ(findCamera(cameras, "sony"), nullptr);
    EXPECT_EQ(findCamera(cameras, "All"), nullptr);
}

}  // namespace
}  // namespace lumora
