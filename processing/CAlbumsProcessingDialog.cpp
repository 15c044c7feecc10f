#include "processing/CAlbumsProcessingDialog.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QShowEvent>
#include <QVBoxLayout>

#include "app/ProcessCommands.h"
#include "platform/QtText.h"
#include "processing/SystemErrorTable.h"
#include "res/ResourceIds.h"

namespace lumora {
namespace {

// The file bar's range is 16-bit.
constexpr int64_t kFileBarRangeLimit = 65535;

QLabel* statusLine(int id) {
    auto* label = new QLabel("Processing...");
    setControlId(*label, id);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Two lines of room, so that the dialog keeps its size when a long
    // text wraps.
    label->setMinimumHeight(2 * label->fontMetrics().lineSpacing());
    return label;
}

QProgressBar* progressBar(int id) {
    auto* bar = new QProgressBar;
    setControlId(*bar, id);
    bar->setRange(0, 100);
    bar->setValue(0);
    bar->setTextVisible(false);
    return bar;
}

// A sink that, after each update, lets the window take clicks and keys, so
// that "Stop" can be pressed while a run goes on. The dialog ignores every
// other command during the run.
class InputTakingSink : public ProgressSink {
  public:
    explicit InputTakingSink(ProgressSink& inner) : inner_(inner) {}
    void setStatus(const std::string& text) override {
        inner_.setStatus(text);
        takeInput();
    }
    void setRange(int64_t lower, int64_t upper) override { inner_.setRange(lower, upper); }
    void setPosition(int64_t position) override { inner_.setPosition(position); }
    void setStep(int64_t step) override { inner_.setStep(step); }
    void step() override {
        inner_.step();
        takeInput();
    }

  private:
    static void takeInput() { QCoreApplication::processEvents(); }
    ProgressSink& inner_;
};

}  // namespace

CAlbumsProcessingDialog::CAlbumsProcessingDialog(Workspace& workspace, Prompter& prompter,
                                                 QWidget* parent)
    : QDialog(parent),
      workspace_(workspace),
      prompter_(prompter),
      firstStatus_(statusLine(res::kIdProcessingFirstStatus)),
      albumBar_(progressBar(res::kIdAlbumProgress)),
      secondStatus_(statusLine(res::kIdProcessingSecondStatus)),
      fileBar_(progressBar(res::kIdFileProgress)),
      process_(new QPushButton("Process")),
      stop_(new QPushButton("Stop")),
      upper_(firstStatus_, albumBar_),
      lower_(secondStatus_, fileBar_) {
    setWindowTitle("Albums Processing");
    lower_.setRangeLimit(kFileBarRangeLimit);

    setControlId(*process_, res::kIdProcessAlbums);
    // Nothing can be processed before the check has said there is room.
    process_->setEnabled(false);
    connect(process_, &QPushButton::clicked, this, &CAlbumsProcessingDialog::onProcess);
    setControlId(*stop_, res::kIdStopProcessing);
    stop_->setVisible(false);
    stop_->setAutoDefault(false);
    connect(stop_, &QPushButton::clicked, this, &CAlbumsProcessingDialog::onStop);
    auto* close = new QPushButton("Close Window");
    setControlId(*close, res::kIdOk);
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &CAlbumsProcessingDialog::onCloseWindow);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(process_);
    buttons->addWidget(stop_);
    buttons->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(firstStatus_);
    layout->addWidget(albumBar_);
    layout->addWidget(secondStatus_);
    layout->addWidget(fileBar_);
    layout->addLayout(buttons);
    // Wide enough for the free-space result on a short drive name in one line.
    const QMargins margins = layout->contentsMargins();
    setMinimumWidth(fontMetrics().horizontalAdvance(
                        "Checking for free space... Not enough space on C:(9999999.999MB)") +
                    margins.left() + margins.right());
}

void CAlbumsProcessingDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (checkQueued_) return;
    checkQueued_ = true;
    QMetaObject::invokeMethod(this, &CAlbumsProcessingDialog::onCheckFreeSpace,
                              Qt::QueuedConnection);
}

void CAlbumsProcessingDialog::onCheckFreeSpace() {
    if (checked_ || busy_) return;
    checked_ = true;
    busy_ = true;
    const FreeSpaceCheck check = checkWorkspaceFreeSpace(workspace_, prompter_, {upper_, lower_});
    busy_ = false;
    process_->setEnabled(check.processEnabled);
    repaintNow();
}

void CAlbumsProcessingDialog::onProcess() {
    if (busy_ || !process_->isEnabled()) return;
    busy_ = true;
    running_ = true;
    stopRequest_.clear();
    process_->setEnabled(false);
    stop_->setEnabled(true);
    stop_->setVisible(true);
    InputTakingSink upper(upper_);
    InputTakingSink lower(lower_);
    processWorkspaceAlbums(workspace_, prompter_, {upper, lower}, nullptr, &stopRequest_);
    running_ = false;
    busy_ = false;
    stop_->setVisible(false);
    repaintNow();
}

void CAlbumsProcessingDialog::onStop() {
    if (!running_) return;
    stopRequest_.request();
    stop_->setEnabled(false);
}

void CAlbumsProcessingDialog::askToStop() {
    if (!running_ || stopRequest_.requested()) return;
    if (prompter_.ask(kStopAfterThisPictureText, kApplicationTitle, Buttons::YesNo,
                      Icon::Question) == kAnswerYes) {
        onStop();
    }
}

void CAlbumsProcessingDialog::onCloseWindow() {
    if (!busy_) accept();
}

// The window cannot be closed in the middle of the check or a run; during a
// run the close box offers to stop it.
void CAlbumsProcessingDialog::closeEvent(QCloseEvent* event) {
    if (busy_) {
        event->ignore();
        askToStop();
        return;
    }
    QDialog::closeEvent(event);
}

void CAlbumsProcessingDialog::reject() {
    if (busy_) {
        askToStop();
        return;
    }
    QDialog::reject();
}

}  // namespace lumora
