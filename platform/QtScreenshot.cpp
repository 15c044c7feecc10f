#include "platform/QtScreenshot.h"

#include <QCoreApplication>
#include <QPixmap>
#include <cstdio>

#include "platform/QtText.h"

namespace lumora {

bool saveScreenshot(QWidget& widget, const std::string& pngPath) {
    const bool wasHidden = !widget.isVisible();
    if (wasHidden) widget.show();
    // Layouts settle and work queued by the widget's first show runs over a
    // few rounds of events.
    for (int round = 0; round < 3; ++round) QCoreApplication::processEvents();
    const QPixmap picture = widget.grab();
    if (wasHidden) widget.hide();
    return !picture.isNull() && picture.save(pathToQString(pngPath), "PNG");
}

int ScreenshotPrompter::ask(const std::string& text, const std::string& caption, Buttons buttons,
                            Icon) {
    std::printf("(%s) %s\n", caption.c_str(), text.c_str());
    return buttons == Buttons::YesNo || buttons == Buttons::YesNoCancel ? kAnswerYes : kAnswerOk;
}

}  // namespace lumora
