#pragma once

#include <QDialog>

#include "catalog/LeftOutFile.h"

namespace lumora {

// "Files left out": the files of the last scan that look like pictures and
// are not in the picture list, each with the reason, in scan order.
class CLeftOutDialog : public QDialog {
  public:
    explicit CLeftOutDialog(const LeftOutList& files, QWidget* parent = nullptr);
};

}  // namespace lumora
