#include "app/ProgramIcon.h"

#include <QPixmap>

namespace lumora {

QIcon programIcon() {
    // The picture is compiled into the user-interface library as a resource.
    return QIcon(QPixmap(QStringLiteral(":/lumora/lumora.png")));
}

}  // namespace lumora
