#pragma once

#include <cstdint>

#include "albums/AlbumList.h"
#include "platform/Prompter.h"

namespace lumora {

inline constexpr const char* kProcessOptionLockedText =
    "This option is available only if no album is processed yet. You must decide from the "
    "begining if files will be copied or moved.";
inline constexpr const char* kMoveWarningText =
    "Even if this program use the most safe routine for moving files, in order to protect your "
    "data, before continue it is strongly recommended to make a backup of your source folder.";
inline constexpr const char* kMoveSelectedText = "Move selected";
inline constexpr const char* kCopySelectedText = "Copy selected";

// The copy-or-move choice behind the Process Option dialog. The choice is
// fixed once any album is processed, so one run never mixes the two.
class ProcessOption {
  public:
    // The dialog opens on moveMode; with a processed album it explains why
    // the choice is locked.
    ProcessOption(const AlbumList& albums, int32_t moveMode, Prompter& prompter);

    // The box was clicked and now shows `checked`; choosing move asks for
    // confirmation first, and Cancel clears the box again.
    void click(bool checked, Prompter& prompter);
    // "Save": the choice becomes moveMode and is confirmed.
    void save(int32_t& moveMode, Prompter& prompter) const;

    bool checked() const { return checked_; }
    // The box and "Save" can be used.
    bool editable() const { return editable_; }

  private:
    bool checked_ = false;
    bool editable_ = true;
};

}  // namespace lumora
