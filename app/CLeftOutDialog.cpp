#include "app/CLeftOutDialog.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "platform/QtText.h"
#include "res/ResourceIds.h"

namespace lumora {

CLeftOutDialog::CLeftOutDialog(const LeftOutList& files, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Files left out"));

    auto* intro = new QLabel(
        files.empty()
            ? QStringLiteral("The last scan left no file out.")
            : QStringLiteral("The last scan found %1 files that look like pictures but are not in "
                             "the picture list. Only .jpg files with EXIF information and the "
                             "date the picture was taken are listed.")
                  .arg(files.size()),
        this);
    intro->setWordWrap(true);

    auto* list = new QTreeWidget(this);
    setControlId(*list, res::kIdLeftOutList);
    list->setColumnCount(2);
    list->setHeaderLabels({QStringLiteral("Reason"), QStringLiteral("File")});
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    QList<QTreeWidgetItem*> rows;
    rows.reserve(static_cast<qsizetype>(files.size()));
    for (const LeftOutFile& file : files) {
        rows.append(new QTreeWidgetItem(
            {QString::fromUtf8(leftOutReasonText(file.reason)), pathToQString(file.path)}));
    }
    list->addTopLevelItems(rows);
    list->resizeColumnToContents(0);
    list->header()->setStretchLastSection(true);

    auto* close = new QPushButton(QStringLiteral("Close"), this);
    setControlId(*close, res::kIdOk);
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(list, 1);
    layout->addLayout(buttons);
    resize(640, 360);
}

}  // namespace lumora
