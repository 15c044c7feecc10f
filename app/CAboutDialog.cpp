#include "app/CAboutDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/ProgramIcon.h"
#include "app/ProgramInfo.h"
#include "res/ResourceIds.h"

namespace lumora {

CAboutDialog::CAboutDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("About %1").arg(kProgramName));

    auto* icon = new QLabel(this);
    icon->setPixmap(programIcon().pixmap(64, 64));
    icon->setAlignment(Qt::AlignTop);

    auto* name =
        new QLabel(QStringLiteral("<b>%1</b> Version %2").arg(kProgramName, kProgramVersion), this);
    auto* about = new QLabel(
        QStringLiteral("Organises the pictures of a digital camera into albums by date and time,\n"
                       "and copies or moves each album into a folder of its own."),
        this);
    auto* home = new QLabel(QString::fromUtf8(kHomepageAddress), this);
    home->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QString::number(res::kIdOk));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* texts = new QVBoxLayout;
    texts->addWidget(name);
    texts->addWidget(about);
    texts->addWidget(home);
    texts->addStretch();

    auto* top = new QHBoxLayout;
    top->addWidget(icon);
    top->addSpacing(12);
    top->addLayout(texts, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace lumora
