#include "duplicates/CDuplicatesDialog.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPainter>
#include <QVBoxLayout>

#include "app/DuplicateCommands.h"
#include "duplicates/DuplicateRemoval.h"
#include "duplicates/DuplicateThumbnail.h"
#include "imaging/Image.h"
#include "imaging/ImageBitmap.h"
#include "platform/QtText.h"
#include "res/BitmapIds.h"
#include "res/ResourceIds.h"

namespace lumora {
namespace {

// The picture area is the placeholder's size inside its frame.
constexpr int kViewerWidth = 160;
constexpr int kViewerHeight = 120;
// The bar's range is 16-bit.
constexpr int64_t kBarRangeLimit = 65535;

QImage placeholderBitmap() {
    Image placeholder;
    placeholder.LoadResource(res::kBitmapDuplicatePlaceholder, kFormatBmp);
    return makeBitmap(placeholder);
}

template <typename Control>
Control* withId(Control* control, int id) {
    setControlId(*control, id);
    return control;
}

// Shows the lines the comparison has added so far before each status text,
// so that the list fills while the pass runs; a list the pass has cleared is
// cleared on the screen too.
class ListFollowingProgress : public ProgressSink {
  public:
    ListFollowingProgress(ProgressSink& shown, QListWidget& list,
                          const std::vector<std::string>& lines)
        : shown_(shown), list_(list), lines_(lines) {}

    void setStatus(const std::string& text) override {
        showNewLines(list_, lines_);
        shown_.setStatus(text);
    }
    void setRange(int64_t lower, int64_t upper) override { shown_.setRange(lower, upper); }
    void setPosition(int64_t position) override { shown_.setPosition(position); }
    void setStep(int64_t step) override { shown_.setStep(step); }
    void step() override { shown_.step(); }

    static void showNewLines(QListWidget& list, const std::vector<std::string>& lines) {
        // Lines only grow during a pass, which starts from none.
        const QSignalBlocker quiet(&list);
        if (static_cast<size_t>(list.count()) > lines.size()) list.clear();
        for (size_t line = static_cast<size_t>(list.count()); line < lines.size(); ++line) {
            list.addItem(pathToQString(lines[line]));
        }
    }

  private:
    ProgressSink& shown_;
    QListWidget& list_;
    const std::vector<std::string>& lines_;
};

}  // namespace

ThumbnailArea::ThumbnailArea(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(1);
    const int frame = 2 * frameWidth();
    setFixedSize(kViewerWidth + frame, kViewerHeight + frame);
}

void ThumbnailArea::setBitmap(const QImage& bitmap) {
    bitmap_ = bitmap;
    update();
}

void ThumbnailArea::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    draw(painter, bitmap_, contentsRect());
}

CDuplicatesDialog::CDuplicatesDialog(Workspace& workspace, Prompter& prompter, QWidget* parent)
    : QDialog(parent),
      workspace_(workspace),
      prompter_(prompter),
      status_(withId(new QLabel, res::kIdDuplicatesStatus)),
      analize_(withId(new QPushButton("Analize"), res::kIdAnalize)),
      bar_(withId(new QProgressBar, res::kIdDuplicatesProgress)),
      compare_(withId(new QPushButton("Compare"), res::kIdCompare)),
      list_(withId(new QListWidget, res::kIdDuplicatesList)),
      exclude_(withId(new QCheckBox("Exclude all duplicates from pictures list"),
                      res::kIdExcludeDuplicatesCheck)),
      viewerLabel_(withId(new QLabel("Thumbnail Viewer"), res::kIdThumbnailViewerLabel)),
      viewer_(withId(new ThumbnailArea, res::kIdThumbnailViewer)),
      remove_(withId(new QPushButton("Remove selected"), res::kIdRemoveSelected)),
      progress_(status_, bar_),
      placeholder_(placeholderBitmap()) {
    setWindowTitle("Search for duplicates");
    progress_.setRangeLimit(kBarRangeLimit);
    bar_->setRange(0, 100);
    bar_->setValue(0);
    bar_->setTextVisible(false);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    list_->setMinimumWidth(360);

    auto* ok = withId(new QPushButton("OK"), res::kIdOk);
    ok->setDefault(true);
    auto* cancel = withId(new QPushButton("Cancel"), res::kIdCancel);
    connect(analize_, &QPushButton::clicked, this, &CDuplicatesDialog::onAnalize);
    connect(compare_, &QPushButton::clicked, this, &CDuplicatesDialog::onCompare);
    connect(list_, &QListWidget::itemSelectionChanged, this,
            &CDuplicatesDialog::onSelectionChanged);
    connect(remove_, &QPushButton::clicked, this, &CDuplicatesDialog::onRemoveSelected);
    connect(ok, &QPushButton::clicked, this, &CDuplicatesDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &CDuplicatesDialog::reject);

    auto* passes = new QHBoxLayout;
    passes->addWidget(analize_);
    passes->addWidget(bar_, 1);
    passes->addWidget(compare_);

    auto* viewerColumn = new QVBoxLayout;
    viewerColumn->addWidget(viewerLabel_);
    viewerColumn->addWidget(viewer_);
    viewerColumn->addWidget(remove_);
    viewerColumn->addStretch(1);

    auto* results = new QHBoxLayout;
    results->addWidget(list_, 1);
    results->addLayout(viewerColumn);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(status_);
    layout->addLayout(passes);
    layout->addLayout(results, 1);
    layout->addWidget(exclude_);
    layout->addLayout(buttons);
    // The longest status text fits in one line.
    const QMargins margins = layout->contentsMargins();
    setMinimumWidth(fontMetrics().horizontalAdvance(
                        "Pictures not analized.Please analize first, then compare") *
                        3 / 2 +
                    margins.left() + margins.right());

    // Opening: nothing to exclude or remove yet; Compare once analysed.
    exclude_->setEnabled(false);
    remove_->setEnabled(false);
    compare_->setEnabled(false);
    if (picturesAnalysed(workspace_.pictures())) {
        analize_->setEnabled(false);
        compare_->setEnabled(true);
    }
    status_->setText(toQString(openingStatusText(workspace_.pictures())));
    exclude_->setChecked(workspace_.excludeDuplicates != 0);
}

void CDuplicatesDialog::onAnalize() {
    if (busy_) return;
    busy_ = true;
    analyseDuplicates(workspace_, progress_);
    busy_ = false;
    analize_->setEnabled(false);
    compare_->setEnabled(true);
}

void CDuplicatesDialog::onCompare() {
    if (busy_) return;
    busy_ = true;
    ListFollowingProgress progress(progress_, *list_, lines_);
    const int found = compareDuplicates(workspace_, lines_, progress);
    busy_ = false;
    showLines();
    exclude_->setEnabled(found != 0);
}

void CDuplicatesDialog::onSelectionChanged() {
    remove_->setEnabled(false);
    viewerLabel_->setEnabled(false);
    const std::string line = selectedLine();
    const Image picture =
        duplicateThumbnail(workspace_.catalog.fileSystem(), workspace_.pictures(), line);
    if (picture.IsValid()) {
        viewer_->setEnabled(true);
        viewer_->setBitmap(makeBitmap(picture));
        viewerLabel_->setEnabled(true);
        remove_->setEnabled(true);
    } else {
        showPlaceholder();
    }
}

void CDuplicatesDialog::onRemoveSelected() {
    if (busy_) return;
    const std::string line = selectedLine();
    busy_ = true;
    ListFollowingProgress progress(progress_, *list_, lines_);
    const bool removed = removeSelectedDuplicate(workspace_, line, lines_, prompter_, progress);
    busy_ = false;
    if (!removed) return;
    showPlaceholder();
    viewer_->setEnabled(false);
    // The removal compared again: the list shows the remaining groups.
    showLines();
    exclude_->setEnabled(markedDuplicateCount(workspace_) != 0);
}

void CDuplicatesDialog::accept() {
    if (busy_) return;
    // The box takes effect only now: Cancel leaves the setting as it was.
    acceptDuplicates(workspace_, exclude_->isChecked(), prompter_);
    QDialog::accept();
}

void CDuplicatesDialog::reject() {
    if (!busy_) QDialog::reject();
}

void CDuplicatesDialog::closeEvent(QCloseEvent* event) {
    if (busy_) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void CDuplicatesDialog::showLines() {
    ListFollowingProgress::showNewLines(*list_, lines_);
    const QSignalBlocker quiet(list_);
    list_->clearSelection();
    list_->setCurrentRow(-1);
    // Nothing is selected in the new list, so nothing can be removed.
    remove_->setEnabled(false);
}

void CDuplicatesDialog::showPlaceholder() {
    viewer_->setBitmap(placeholder_);
}

std::string CDuplicatesDialog::selectedLine() const {
    const QList<QListWidgetItem*> selected = list_->selectedItems();
    if (selected.isEmpty()) return {};
    const int row = list_->row(selected.front());
    if (row < 0 || static_cast<size_t>(row) >= lines_.size()) return {};
    return lines_[static_cast<size_t>(row)];
}

}  // namespace lumora
