#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace lumora::test {

// Acts on the next modal window of type Modal (a message box, a file
// dialog) once it is shown, from inside its own event loop: the test calls
// the code that opens it right after making the driver.
template <typename Modal>
class ModalDriver {
  public:
    explicit ModalDriver(std::function<void(Modal&)> action) : action_(std::move(action)) {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            auto* modal = qobject_cast<Modal*>(QApplication::activeModalWidget());
            if (modal == nullptr || !modal->isVisible()) return;
            timer_.stop();
            ++acted_;
            action_(*modal);
        });
        timer_.start(1);
    }
    ModalDriver(const ModalDriver&) = delete;
    ModalDriver& operator=(const ModalDriver&) = delete;

    // How many windows it acted on: 1 once the expected window was shown.
    int acted() const { return acted_; }

  private:
    std::function<void(Modal&)> action_;
    QTimer timer_;
    int acted_ = 0;
};

}  // namespace lumora::test
