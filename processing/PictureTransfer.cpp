#include "processing/PictureTransfer.h"

#include "processing/ReportSystemError.h"

namespace lumora {
namespace {

bool report(const TransferContext& context, QuestionSubject subject, ErrorCode error,
            int& continueFlag, int& answerCode, const std::string& path) {
    context.about(subject);
    // Something already at the target: the answer may stand for the rest of
    // the run. The kind is what is there, a file or a folder.
    const bool fileThere = subject == QuestionSubject::File && error == kErrorFileExists;
    const bool folderThere = subject == QuestionSubject::Folder && error == kErrorAlreadyExists;
    if (context.conflicts != nullptr && (fileThere || folderThere)) {
        ConflictPrompter prompter(context.prompter, *context.conflicts,
                                  fileThere ? ConflictKind::FileThere : ConflictKind::FolderThere);
        return reportSystemError(error, continueFlag, answerCode, path, prompter);
    }
    return reportSystemError(error, continueFlag, answerCode, path, context.prompter);
}

// A failed transfer is reported with the source's path, but a target file
// that exists already is the question, and is named by its own name. A plain
// move onto an existing file fails as "already exists": it gets the same
// question as a copy (Yes replaces, No skips the picture, Cancel gives the
// album up), not the one about folders.
bool reportTransfer(const TransferContext& context, ErrorCode error, int& continueFlag,
                    int& answerCode, const std::string& source, const std::string& target) {
    if (error == kErrorFileExists || error == kErrorAlreadyExists) {
        return report(context, QuestionSubject::File, kErrorFileExists, continueFlag, answerCode,
                      target);
    }
    return report(context, QuestionSubject::File, error, continueFlag, answerCode, source);
}

// After a move reported done, whether its source is gone: a source still
// there is removed once more, and the failure of that says why it stays.
ErrorCode sourceLeftBehind(FileSystem& fileSystem, const std::string& source) {
    FileIdentity identity;
    if (!fileSystem.identify(source, identity)) return kErrorSuccess;
    return fileSystem.removeFile(source);
}

// A replace after a Yes: the file there is set aside first, and put back
// when the replace fails, so a journaled run never destroys it.
template <typename Replace>
ErrorCode replaceKeepingOld(const TransferContext& context, const std::string& target,
                            Replace replace) {
    if (context.journal == nullptr) return replace();
    int aside = 0;
    if (ErrorCode error = context.journal->setAside(target, aside)) return error;
    const ErrorCode error = replace();
    if (error != kErrorSuccess) context.journal->putBack(aside);
    return error;
}

}  // namespace

bool createAlbumFolder(const TransferContext& context, const std::string& folder, int& continueFlag,
                       int& answerCode) {
    JournalEntry entry(context.journal,
                       context.journal != nullptr ? context.journal->folderAbout(folder) : 0);
    ErrorCode error = context.fileSystem.createDirectory(folder);
    while (error != kErrorSuccess) {
        const bool again =
            report(context, QuestionSubject::Folder, error, continueFlag, answerCode, folder);
        if (again && answerCode == kAnswerYes) {
            // "Directory already exists": the folder there is used as it is.
            context.fileSystem.createDirectory(folder);
            return true;
        }
        if (answerCode != kAnswerRetry) return false;
        error = context.fileSystem.createDirectory(folder);
    }
    entry.done("");
    return true;
}

bool copyPicture(const TransferContext& context, const std::string& source,
                 const std::string& target, int& continueFlag, int& answerCode) {
    FileSystem& fileSystem = context.fileSystem;
    JournalEntry entry(context.journal, context.journal != nullptr
                                            ? context.journal->transferAbout(false, source, target)
                                            : 0);
    bool overwrite = false;
    ErrorCode error = fileSystem.copyFile(source, target, true);
    while (error != kErrorSuccess) {
        const bool again = reportTransfer(context, error, continueFlag, answerCode, source, target);
        if (!again) return false;
        if (answerCode == kAnswerYes) {
            // A failed overwrite is reported like any failure, but a second
            // Yes is not acted on, so answering Yes can never loop.
            if (overwrite) return false;
            overwrite = true;
        }
        error = overwrite
                    ? replaceKeepingOld(context, target,
                                        [&] { return fileSystem.copyFile(source, target, false); })
                    : fileSystem.copyFile(source, target, true);
    }
    entry.done(target);
    return true;
}

bool movePicture(const TransferContext& context, const std::string& source,
                 const std::string& target, int& continueFlag, int& answerCode,
                 ErrorCode& sourceError) {
    FileSystem& fileSystem = context.fileSystem;
    sourceError = kErrorSuccess;
    JournalEntry entry(context.journal, context.journal != nullptr
                                            ? context.journal->transferAbout(true, source, target)
                                            : 0);
    // The moves after a failure may cross volumes as the first does, but
    // replace the target only once "Overwrite?" was answered Yes.
    bool replace = false;
    auto move = [&] {
        if (!replace) return fileSystem.moveFile(source, target, kMoveCopyAllowed);
        return replaceKeepingOld(context, target, [&] {
            return fileSystem.moveFile(source, target, kMoveCopyAllowed | kMoveReplaceExisting);
        });
    };
    ErrorCode error = move();
    while (error != kErrorSuccess) {
        const bool again = reportTransfer(context, error, continueFlag, answerCode, source, target);
        if (again && answerCode == kAnswerYes) {
            if (replace) return false;
            replace = true;
        } else if (answerCode == kAnswerIgnore) {
            if (move() == kErrorSuccess) {
                entry.done(target);
                sourceError = sourceLeftBehind(fileSystem, source);
                return true;
            }
            context.about(QuestionSubject::File);
            if (context.prompter.ask(kCopyInsteadText, "", Buttons::OkCancel, Icon::None) !=
                kAnswerOk) {
                continueFlag = 0;
                return false;
            }
            entry.fail();  // the move did not happen; the copy is an action of its own
            return copyPicture(context, source, target, continueFlag, answerCode);
        } else if (!again) {
            return false;
        }
        error = move();
    }
    entry.done(target);
    sourceError = sourceLeftBehind(fileSystem, source);
    return true;
}

}  // namespace lumora
