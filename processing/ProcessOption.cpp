#include "processing/ProcessOption.h"

#include "processing/ProcessAlbums.h"

namespace lumora {

ProcessOption::ProcessOption(const AlbumList& albums, int32_t moveMode, Prompter& prompter)
    : checked_(moveMode != 0) {
    for (const Album& album : albums) {
        if (!album.processed) continue;
        prompter.ask(kProcessOptionLockedText, kApplicationTitle, Buttons::Ok, Icon::None);
        editable_ = false;
        break;
    }
}

void ProcessOption::click(bool checked, Prompter& prompter) {
    if (!editable_) return;
    checked_ = checked;
    if (checked_ && prompter.ask(kMoveWarningText, kMoveSelectedText, Buttons::OkCancel,
                                 Icon::None) != kAnswerOk) {
        checked_ = false;
    }
}

void ProcessOption::save(int32_t& moveMode, Prompter& prompter) const {
    if (!editable_) return;
    moveMode = checked_ ? 1 : 0;
    prompter.ask(checked_ ? kMoveSelectedText : kCopySelectedText, kApplicationTitle, Buttons::Ok,
                 Icon::None);
}

}  // namespace lumora
