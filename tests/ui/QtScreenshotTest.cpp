#include "platform/QtScreenshot.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QLabel>

#include "tests/support/TempDir.h"

namespace lumora {
namespace {

TEST(SaveScreenshot, writesTheWidgetAsAPngAndLeavesItHiddenAsItWas) {
    test::TempDir temp;
    QLabel label("Processing...");
    label.setFixedSize(120, 30);
    label.setStyleSheet("background: rgb(0, 0, 255)");
    const std::string path = temp.file("label.png");

    ASSERT_TRUE(saveScreenshot(label, path));
    EXPECT_FALSE(label.isVisible());
    QImage picture(QString::fromStdString(path), "PNG");
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(picture.size(), QSize(120, 30) * label.devicePixelRatioF());
    EXPECT_EQ(picture.pixelColor(0, 0), QColor(0, 0, 255));

    EXPECT_FALSE(saveScreenshot(label, temp.file("missing/label.png")));
}

}  // namespace
}  // namespace lumora
