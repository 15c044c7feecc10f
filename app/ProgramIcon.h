#pragma once

#include <QIcon>

namespace lumora {

// The program's icon (the window icon, large and small), compiled in.
QIcon programIcon();

}  // namespace lumora
