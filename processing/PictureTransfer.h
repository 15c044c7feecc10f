#pragma once

#include <string>

#include "platform/FileSystem.h"
#include "platform/Prompter.h"
#include "processing/ConflictAnswers.h"
#include "processing/QuestionSubject.h"
#include "processing/RunJournal.h"

namespace lumora {

inline constexpr const char* kCopyInsteadText = "File could not be moved. Copy instead of move?";

// Where the steps of one run make their calls and ask their questions.
struct TransferContext {
    FileSystem& fileSystem;
    Prompter& prompter;
    QuestionListener* listener = nullptr;
    // The run's answers for all conflicts of a kind; none: every conflict is asked plainly.
    ConflictAnswers* conflicts = nullptr;
    // The run's journal: every step records what it is about to do and what
    // it did, and a replace sets the old file aside. None: nothing recorded.
    RunJournal* journal = nullptr;

    void about(QuestionSubject subject) const {
        if (listener != nullptr) listener->questionAbout(subject);
    }
};

// Each step reports every failure through reportSystemError with the given
// flag and answer variables and follows the answer. The result tells whether
// the file or folder is now in place; continueFlag 0 afterwards means the
// album is given up. An existing target is replaced only after a Yes.

// Creates one album folder; an existing folder is used after a Yes.
bool createAlbumFolder(const TransferContext& context, const std::string& folder, int& continueFlag,
                       int& answerCode);

// Copies a picture, never over an existing file without "Overwrite?" answered Yes.
bool copyPicture(const TransferContext& context, const std::string& source,
                 const std::string& target, int& continueFlag, int& answerCode);

// Moves a picture; after Ignore it offers to copy instead. A move that
// placed the picture but could not remove its source (a read-only card seen
// across volumes) still placed it, as on Windows: sourceError then says why
// the source stays; it is kErrorSuccess otherwise, and after a copy made
// instead, which keeps the source on purpose.
bool movePicture(const TransferContext& context, const std::string& source,
                 const std::string& target, int& continueFlag, int& answerCode,
                 ErrorCode& sourceError);

}  // namespace lumora
