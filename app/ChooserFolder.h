#pragma once

#include <string>

namespace lumora {

// The folder and file choosers open where the user is working, never in the
// folder the program happened to be started in.
enum class Chooser { Source, Target, Session };

struct WorkFolders {
    std::string source;         // the source text (kNotSelectedText when none)
    std::string target;         // the target text (kNotSelectedText when none)
    std::string sessionFolder;  // of the session last saved or loaded; empty when none
    std::string home;           // the user's home folder
};

// The first existing folder of the chooser's own (the source for Source,
// the target for Target, the session's for Session), then the others
// (target, source, session), then home; the root when even home is missing.
std::string chooserStartFolder(Chooser chooser, const WorkFolders& folders);

// The user's home folder as the environment gives it (HOME; on Windows
// USERPROFILE), or the root.
std::string homeFolder();

// The folder a file lies in (split at any separator the system takes);
// empty for a bare name.
std::string folderOf(const std::string& file);

}  // namespace lumora
