#include "albums/CLargeImageDialog.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QPixmap>
#include <QPushButton>
#include <QScrollArea>
#include <QShortcut>
#include <QVBoxLayout>

#include "albums/ViewerPicture.h"
#include "imaging/ImageBitmap.h"
#include "platform/QtText.h"
#include "res/ResourceIds.h"

namespace lumora {
namespace {

int shownPosition = 0;
CLargeImageDialog* viewerOnScreen = nullptr;

// The picture area fits a 4:3 picture at its viewer size with its sunken
// frame; taller pictures scroll.
constexpr int kPictureAreaWidth = 799 + 2;
constexpr int kPictureAreaHeight = 599 + 2;

}  // namespace

CLargeImageDialog::CLargeImageDialog(FileSystem& fileSystem, QWidget* parent)
    : QDialog(parent),
      cache_([&fileSystem](const PictureEntry& picture) {
          return decodeForViewer(fileSystem, picture.path,
                                 picture.exif != nullptr ? picture.exif->Orientation : 1);
      }),
      picture_(new QLabel),
      path_(new QLabel) {
    if (viewerOnScreen != nullptr) viewerOnScreen->close();
    viewerOnScreen = this;
    setWindowTitle("View Large Image");
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);

    setControlId(*picture_, res::kIdLargePicture);
    picture_->setAlignment(Qt::AlignCenter);
    picture_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    picture_->setMinimumSize(kPictureAreaWidth, kPictureAreaHeight);
    auto* area = new QScrollArea;
    area->setFrameShape(QFrame::NoFrame);
    area->setWidgetResizable(true);
    area->setAlignment(Qt::AlignCenter);
    area->setWidget(picture_);
    area->setMinimumSize(kPictureAreaWidth, kPictureAreaHeight);

    setControlId(*path_, res::kIdLargePicturePath);
    path_->setAlignment(Qt::AlignCenter);
    path_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* close = new QPushButton("Close");
    setControlId(*close, res::kIdCancel);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(close);
    buttons->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(area, 1);
    layout->addWidget(path_);
    layout->addLayout(buttons);

    // Window-wide, so that the scroll area never takes the keys for itself.
    auto stepKey = [this](Qt::Key key, auto target) {
        connect(new QShortcut(QKeySequence(key), this), &QShortcut::activated, this,
                [this, target] { askStep(target()); });
    };
    stepKey(Qt::Key_Left, [] { return shownPosition - 1; });
    stepKey(Qt::Key_Right, [] { return shownPosition + 1; });
    stepKey(Qt::Key_Home, [] { return 0; });
    stepKey(Qt::Key_End, [this] { return filmSize_ - 1; });
}

void CLargeImageDialog::askStep(int position) {
    if (position < 0 || position >= filmSize_ || position == shownPosition) return;
    emit stepAsked(position);
}

CLargeImageDialog::~CLargeImageDialog() {
    if (viewerOnScreen == this) viewerOnScreen = nullptr;
}

int CLargeImageDialog::viewerIndex() {
    return shownPosition;
}

CLargeImageDialog* CLargeImageDialog::openViewer() {
    return viewerOnScreen;
}

void CLargeImageDialog::openAt(const FilmList& film, int position) {
    if (position < 0 || static_cast<size_t>(position) >= film.size()) return;
    filmSize_ = static_cast<int>(film.size());
    const Image* picture = cache_.open(film, position);
    shownPosition = cache_.index();
    if (picture == nullptr) {
        // A viewer not yet on screen is not opened for it; an open one says
        // it cannot show this picture rather than keep the last one.
        if (!isVisible()) {
            close();
        } else {
            showNotDecoded(film[static_cast<size_t>(position)].path);
        }
        return;
    }
    if (isVisible()) {
        raise();
        activateWindow();
    } else {
        show();
    }
    showPicture(*picture, film[static_cast<size_t>(position)].path);
    cache_.preload(film);
}

void CLargeImageDialog::follow(const FilmList& film, int position) {
    filmSize_ = static_cast<int>(film.size());
    const ViewerCache::Move move = cache_.follow(film, position);
    if (!move.moved) return;
    shownPosition = cache_.index();
    const std::string& path = film[static_cast<size_t>(position)].path;
    if (move.picture != nullptr) {
        showPicture(*move.picture, path);
    } else {
        showNotDecoded(path);
    }
    cache_.preload(film);
}

void CLargeImageDialog::showPicture(const Image& picture, const std::string& path) {
    picture_->setPixmap(QPixmap::fromImage(makeBitmap(picture)));
    path_->setText(pathToQString(path));
    // Shown before the neighbours are decoded, not after.
    picture_->repaint();
    path_->repaint();
}

void CLargeImageDialog::showNotDecoded(const std::string& path) {
    // No picture, and a line that says why, under the path of the file that
    // failed: the previous picture with its path would pass for this one.
    picture_->clear();
    picture_->setText(QString::fromLatin1(kPictureNotDecodedText));
    path_->setText(pathToQString(path));
    picture_->repaint();
    path_->repaint();
}

void CLargeImageDialog::reject() {
    close();
}

void CLargeImageDialog::closeEvent(QCloseEvent* event) {
    cache_.clear();
    if (viewerOnScreen == this) viewerOnScreen = nullptr;
    if (!closedSent_) {
        closedSent_ = true;
        emit closed();
    }
    // Not QDialog's handler: that one rejects, and rejecting closes here.
    event->accept();
}

}  // namespace lumora
