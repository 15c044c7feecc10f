#pragma once

namespace lumora {

// What a question asked during processing is about. The same text can be
// about a folder or a file ("Directory already exists" is asked for both),
// so answer policies are told before each question.
enum class QuestionSubject {
    Folder,     // creating an album folder
    File,       // copying or moving one picture
    FreeSpace,  // the free-space query of the target
    Album,      // skipping a processed album, or going on after a failed one
};

class QuestionListener {
  public:
    virtual ~QuestionListener() = default;
    virtual void questionAbout(QuestionSubject subject) = 0;
};

}  // namespace lumora
