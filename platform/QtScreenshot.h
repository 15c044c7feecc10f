#pragma once

#include <QWidget>
#include <string>

namespace lumora {

// Shows the widget (offscreen when the platform is "offscreen"), lets it lay
// itself out and run what it does when shown, grabs it and writes the
// picture as a PNG file. A widget that was hidden is hidden again. False
// when the file could not be written.
bool saveScreenshot(QWidget& widget, const std::string& pngPath);

}  // namespace lumora
