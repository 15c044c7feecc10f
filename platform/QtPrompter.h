#pragma once

#include <QWidget>
#include <string>

#include "platform/Prompter.h"

namespace lumora {

// Message boxes as the window shows them: the six button sets, the caption
// as window title, the icon, the text as plain text. Answers carry the
// Windows numbers. Esc (and closing the box) gives the box's cancel answer
// as on Windows: Cancel where the box has Cancel, OK for a box with only OK,
// and nothing at all for Yes/No and Abort/Retry/Ignore, which need a button.
class QtPrompter : public Prompter {
  public:
    explicit QtPrompter(QWidget* parent = nullptr);

    int ask(const std::string& text, const std::string& caption, Buttons buttons,
            Icon icon) override;
    int askForAll(const std::string& text, const std::string& caption, Buttons buttons, Icon icon,
                  const std::string& forAllText, bool& forAll) override;

  private:
    int show(const std::string& text, const std::string& caption, Buttons buttons, Icon icon,
             const std::string& forAllText, bool& forAll);

    QWidget* parent_;
};

}  // namespace lumora
