#include "cli/SessionFileTarget.h"

#include "processing/QuestionSubject.h"
#include "processing/ReportSystemError.h"
#include "session/SessionLoad.h"

namespace lumora::cli {
namespace {

bool isListedPicture(FileSystem& fileSystem, const FileIdentity& file,
                     const PictureList& pictures) {
    for (const PictureEntry& picture : pictures) {
        FileIdentity identity;
        if (fileSystem.identify(picture.path, identity) && identity == file) return true;
    }
    return false;
}

}  // namespace

bool sessionFileMayBeWritten(const std::string& file, const PictureList& pictures,
                             ProcessEnvironment& env) {
    FileSystem& fileSystem = env.fileSystem;
    FileIdentity identity;
    if (!fileSystem.identify(file, identity)) return true;
    if (isListedPicture(fileSystem, identity, pictures)) {
        env.console.error(file + ": is a picture of the source; it is not replaced");
        return false;
    }
    SessionData data;
    ErrorCode error = kErrorSuccess;
    std::string problem;
    const bool session =
        readSessionFile(fileSystem, fileSystem.resolveLinks(file), data, error, problem);
    env.fileSystem.takeLastFailure();
    if (!session) {
        env.console.error(file + ": is not a session file; it is not replaced");
        return false;
    }
    env.prompter.questionAbout(QuestionSubject::File);
    const int answer = env.prompter.ask(systemErrorText(kErrorFileExists, file),
                                        systemErrorCaption(kErrorFileExists),
                                        systemErrorButtons(kErrorFileExists), Icon::None);
    if (answer == kAnswerYes) return true;
    env.console.error(file + ": already exists; it is not replaced");
    return false;
}

}  // namespace lumora::cli
