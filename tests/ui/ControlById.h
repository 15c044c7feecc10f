#pragma once

#include <QWidget>

#include "platform/QtText.h"

namespace lumora::test {

// The control of a dialog with the given id (its objectName), or null.
template <typename Control>
Control* controlById(const QWidget& dialog, int id) {
    return dialog.findChild<Control*>(idName(id));
}

}  // namespace lumora::test
