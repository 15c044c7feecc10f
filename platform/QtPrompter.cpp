#include "platform/QtPrompter.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <vector>

#include "platform/QtText.h"

namespace lumora {
namespace {

struct ButtonAnswer {
    QMessageBox::StandardButton button;
    int answer;
};

// The buttons of each set in the Windows order; the first is the default.
std::vector<ButtonAnswer> buttonsOf(Buttons buttons) {
    switch (buttons) {
        case Buttons::Ok:
            return {{QMessageBox::Ok, kAnswerOk}};
        case Buttons::OkCancel:
            return {{QMessageBox::Ok, kAnswerOk}, {QMessageBox::Cancel, kAnswerCancel}};
        case Buttons::YesNo:
            return {{QMessageBox::Yes, kAnswerYes}, {QMessageBox::No, kAnswerNo}};
        case Buttons::YesNoCancel:
            return {{QMessageBox::Yes, kAnswerYes},
                    {QMessageBox::No, kAnswerNo},
                    {QMessageBox::Cancel, kAnswerCancel}};
        case Buttons::AbortRetryIgnore:
            return {{QMessageBox::Abort, kAnswerAbort},
                    {QMessageBox::Retry, kAnswerRetry},
                    {QMessageBox::Ignore, kAnswerIgnore}};
        case Buttons::RetryCancel:
            return {{QMessageBox::Retry, kAnswerRetry}, {QMessageBox::Cancel, kAnswerCancel}};
    }
    return {{QMessageBox::Ok, kAnswerOk}};
}

// The button that Esc presses on Windows: Cancel, or OK when it is the only
// button. Yes/No and Abort/Retry/Ignore have none.
QMessageBox::StandardButton escapeButtonOf(Buttons buttons) {
    switch (buttons) {
        case Buttons::Ok:
            return QMessageBox::Ok;
        case Buttons::OkCancel:
        case Buttons::YesNoCancel:
        case Buttons::RetryCancel:
            return QMessageBox::Cancel;
        case Buttons::YesNo:
        case Buttons::AbortRetryIgnore:
            return QMessageBox::NoButton;
    }
    return QMessageBox::NoButton;
}

QMessageBox::Icon iconOf(Icon icon) {
    switch (icon) {
        case Icon::None:
            return QMessageBox::NoIcon;
        case Icon::Information:
            return QMessageBox::Information;
        case Icon::Warning:
            return QMessageBox::Warning;
        case Icon::Error:
            return QMessageBox::Critical;
        case Icon::Question:
            return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

// Qt would make No or Abort the escape button of a box without Cancel; a
// Windows box of those sets ignores Esc and cannot be closed without an
// answer.
class AnswerRequiredBox : public QMessageBox {
  public:
    using QMessageBox::QMessageBox;
    bool escapes = true;

  protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (!escapes && event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
            event->accept();
            return;
        }
        QMessageBox::keyPressEvent(event);
    }
    void closeEvent(QCloseEvent* event) override {
        if (!escapes) {
            event->ignore();
            return;
        }
        QMessageBox::closeEvent(event);
    }
};

}  // namespace

QtPrompter::QtPrompter(QWidget* parent) : parent_(parent) {}

int QtPrompter::ask(const std::string& text, const std::string& caption, Buttons buttons,
                    Icon icon) {
    bool forAll = false;
    return show(text, caption, buttons, icon, std::string(), forAll);
}

int QtPrompter::askForAll(const std::string& text, const std::string& caption, Buttons buttons,
                          Icon icon, const std::string& forAllText, bool& forAll) {
    return show(text, caption, buttons, icon, forAllText, forAll);
}

int QtPrompter::show(const std::string& text, const std::string& caption, Buttons buttons,
                     Icon icon, const std::string& forAllText, bool& forAll) {
    forAll = false;
    AnswerRequiredBox box(parent_);
    auto* check = forAllText.empty() ? nullptr : new QCheckBox(toQString(forAllText));
    if (check != nullptr) box.setCheckBox(check);  // the box owns it
    box.setIcon(iconOf(icon));
    box.setWindowTitle(toQString(caption));
    // Paths and album names are shown as they are, never as markup.
    box.setTextFormat(Qt::PlainText);
    box.setText(toQString(text));

    const std::vector<ButtonAnswer> set = buttonsOf(buttons);
    for (const ButtonAnswer& entry : set) box.addButton(entry.button);
    box.setDefaultButton(set.front().button);
    const QMessageBox::StandardButton escape = escapeButtonOf(buttons);
    box.escapes = escape != QMessageBox::NoButton;
    if (box.escapes) box.setEscapeButton(escape);

    box.exec();
    const QMessageBox::StandardButton clicked = box.standardButton(box.clickedButton());
    for (const ButtonAnswer& entry : set) {
        if (entry.button != clicked) continue;
        forAll = check != nullptr && check->isChecked();
        return entry.answer;
    }
    // Only reached when the box ended without any button: the answer that
    // stops rather than goes on.
    return decliningAnswer(buttons);
}

}  // namespace lumora
