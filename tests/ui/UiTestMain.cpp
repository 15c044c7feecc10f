// The widget tests need one QApplication for the whole run, on the offscreen
// platform unless the environment chose another.
#include <gtest/gtest.h>

#include <QApplication>

namespace {

// The offscreen platform says for every shown window that it cannot pass
// size hints on, or raise it; that says nothing about the test, so it is
// dropped.
QtMessageHandler standardHandler = nullptr;

void dropPlatformChatter(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (text.contains(QLatin1String("does not support propagateSizeHints")) ||
        text.contains(QLatin1String("does not support raise"))) {
        return;
    }
    standardHandler(type, context, text);
}

}  // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    standardHandler = qInstallMessageHandler(dropPlatformChatter);
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
