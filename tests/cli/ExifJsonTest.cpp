#include "cli/ExifJson.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

namespace lumora::cli {
namespace {

TEST(ExifJson, escapesStrings) {
    struct Case {
        std::string text;
        std::string json;
    };
    const Case cases[] = {
        {"", R"("")"},
        {"Canon EOS 10D", R"("Canon EOS 10D")"},
        {"say \"hi\" \\ /", R"("say \"hi\" \\ /")"},
        {"a\tb\nc\rd\be\ff", R"("a\tb\nc\rd\be\ff")"},
        {std::string("\x01\x1f\x7f", 3), R"("\u0001\u001f\u007f")"},
        {"caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x93\xb7",
         "\"caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x93\xb7\""},
        // Not UTF-8: each high byte is its own character.
        {"caf\xe9", R"("caf\u00e9")"},
        {"\xc3\xa9\xff", R"("\u00c3\u00a9\u00ff")"},
        {"\xc0\xaf", R"("\u00c0\u00af")"},                      // overlong '/'
        {"\xed\xa0\x80", R"("\u00ed\u00a0\u0080")"},            // a surrogate
        {"\xf4\x90\x80\x80", R"("\u00f4\u0090\u0080\u0080")"},  // above U+10FFFF
        {"\xe2\x82", R"("\u00e2\u0082")"},                      // cut short
    };
    for (const Case& c : cases) EXPECT_EQ(jsonString(c.text), c.json) << c.text;
}

TEST(ExifJson, floatsReadBackAsTheSameFloat) {
    const std::pair<float, const char*> cases[] = {
        {0.0f, "0"},
        {72.0f, "72"},
        {2.048f, "2.048"},
        {0.00390625f, "0.00390625"},
        {static_cast<float>(1 / 2.54), "0.39370078"},
        {static_cast<float>(1 / 25400.0), "3.937008e-05"},
        {-0.6666667f, "-0.6666667"},
        {std::numeric_limits<float>::infinity(), "null"},
        {-std::numeric_limits<float>::infinity(), "null"},
        {std::nanf(""), "null"},
    };
    for (const auto& [value, text] : cases) EXPECT_EQ(jsonNumber(value), text);
}

TEST(ExifJson, oneObjectWithEveryKeyInOrder) {
    ExifInfo info;
    std::strcpy(info.Version, "0220");
    std::strcpy(info.CameraMake, "Canon");
    std::strcpy(info.CameraModel, "Canon EOS 10D");
    std::strcpy(info.DateTime, "2004:05:06 07:08:09");
    info.Width = 3072;
    info.Height = 2048;
    info.Orientation = 6;
    info.IsColor = 1;
    info.Process = 0xC0;
    info.FlashUsed = 1;
    info.FocalLength = 50;
    info.ExposureTime = 0.004f;
    info.ApertureFNumber = 5.6f;
    info.Distance = 1.23f;
    info.CCDWidth = 0.9448819f;
    info.ExposureBias = -0.6666667f;
    info.Whitebalance = 4;
    info.MeteringMode = 5;
    info.ExposureProgram = 2;
    info.ISOequivalent = 400;
    info.CompressionLevel = 2;
    info.FocalplaneXRes = 3072;
    info.FocalplaneYRes = 2048;
    info.FocalplaneUnits = static_cast<float>(1 / 25.4);
    info.Xresolution = 180;
    info.Yresolution = 180;
    info.ResolutionUnit = 1;
    info.Brightness = -1.75f;
    std::strcpy(info.Comments, "line\n\"two\"");
    info.ThumbnailOffset = 1234;
    info.ThumbnailSize = 5678;
    info.IsExif = 1;
    info.pictureId = 9;  // belongs to the album code: not shown
    EXPECT_EQ(exifJsonLine("dir/IMG_0001.JPG", info),
              R"({"path":"dir/IMG_0001.JPG","IsExif":1,"Version":"0220","CameraMake":"Canon",)"
              R"("CameraModel":"Canon EOS 10D","DateTime":"2004:05:06 07:08:09","Width":3072,)"
              R"("Height":2048,"Orientation":6,"IsColor":1,"Process":192,"FlashUsed":1,)"
              R"("FocalLength":50,"ExposureTime":0.004,"ApertureFNumber":5.6,"Distance":1.23,)"
              R"("CCDWidth":0.9448819,"ExposureBias":-0.6666667,"Whitebalance":4,)"
              R"("MeteringMode":5,"ExposureProgram":2,"ISOequivalent":400,"CompressionLevel":2,)"
              R"("FocalplaneXRes":3072,"FocalplaneYRes":2048,"FocalplaneUnits":0.03937008,)"
              R"("Xresolution":180,"Yresolution":180,"ResolutionUnit":1,"Brightness":-1.75,)"
              R"("Comments":"line\n\"two\"","ThumbnailOffset":1234,"ThumbnailSize":5678})");
}

TEST(ExifJson, textFieldsWithoutZeroByteStopAtTheirEnd) {
    ExifInfo info;
    std::memset(info.Version, '9', sizeof info.Version);
    std::memset(info.CameraMake, 'M', sizeof info.CameraMake);
    const std::string line = exifJsonLine("p", info);
    EXPECT_NE(line.find(R"("Version":"99999","CameraMake":")" + std::string(32, 'M') + "\""),
              std::string::npos);
}

}  // namespace
}  // namespace lumora::cli
