#pragma once

#include <QWidget>
#include <string>

#include "platform/Prompter.h"

namespace lumora {

// Shows the widget (offscreen when the platform is "offscreen"), lets it lay
// itself out and run what it does when shown, grabs it and writes the
// picture as a PNG file. A widget that was hidden is hidden again. False
// when the file could not be written.
bool saveScreenshot(QWidget& widget, const std::string& pngPath);

// The screenshot mode's message boxes: nobody is there to answer, so every
// question is printed and gets Yes where it offers Yes, else OK.
class ScreenshotPrompter : public Prompter {
  public:
    int ask(const std::string& text, const std::string& caption, Buttons buttons,
            Icon icon) override;
};

}  // namespace lumora
