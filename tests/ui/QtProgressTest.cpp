#include "platform/QtProgress.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>
#include <QVBoxLayout>

namespace lumora {
namespace {

class PaintCounter : public QObject {
  public:
    int paints = 0;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return QObject::eventFilter(watched, event);
    }
};

TEST(LabelProgress, aStatusIsShownAsPlainTextAndPaintedAtOnce) {
    QWidget window;
    auto* status = new QLabel(&window);
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(status);
    window.show();
    QCoreApplication::processEvents();
    PaintCounter counter;
    status->installEventFilter(&counter);

    LabelProgress sink(status);
    sink.setStatus("Processing album: <i>Rome</i>");
    EXPECT_EQ(status->text(), "Processing album: <i>Rome</i>");
    EXPECT_EQ(status->textFormat(), Qt::PlainText);
    EXPECT_GT(counter.paints, 0);

    // A sink without a bar takes bar updates without harm.
    sink.setRange(0, 3);
    sink.step();
}

TEST(LabelProgress, theBarFollowsTheRangeAndStepsAsAWindowsBar) {
    QLabel status;
    QProgressBar bar;
    LabelProgress sink(&status, &bar);
    sink.setRange(0, 3);
    sink.setPosition(0);
    sink.setStep(1);
    for (int i = 0; i < 3; ++i) sink.step();
    EXPECT_EQ(bar.maximum(), 3);
    EXPECT_EQ(bar.value(), 3);
    // A step past the end starts over.
    sink.step();
    EXPECT_EQ(bar.value(), 0);
    // A position outside the range is held at its end.
    sink.setPosition(7);
    EXPECT_EQ(bar.value(), 3);

    // An empty range shows an empty bar, not a busy one.
    sink.setRange(0, 0);
    EXPECT_LT(bar.minimum(), bar.maximum());
    EXPECT_EQ(bar.value(), 0);
}

TEST(LabelProgress, aSixteenBitBarHoldsAtMost65535) {
    QProgressBar bar;
    LabelProgress sink(nullptr, &bar);
    sink.setRangeLimit(65535);
    sink.setRange(0, 70000);
    EXPECT_EQ(bar.maximum(), 65535);
    sink.setRange(0, 65535);
    sink.setPosition(65535);
    EXPECT_EQ(bar.value(), 65535);
}

}  // namespace
}  // namespace lumora
