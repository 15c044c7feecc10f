#pragma once

#include <QLabel>
#include <functional>

namespace lumora {

// A static text for a folder path: its text() is the whole path, it is drawn
// shortened in the middle when the window is narrower than the path, and its
// tool tip shows it whole, so a long path never widens the window.
class PathLabel : public QLabel {
  public:
    explicit PathLabel(QWidget* parent = nullptr);
    void setPath(const QString& path);
    QSize minimumSizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;
};

// The banner across the top of the main window, a static bitmap that reports
// clicks.
class BannerLabel : public QLabel {
  public:
    explicit BannerLabel(QWidget* parent = nullptr) : QLabel(parent) {}
    void onClick(std::function<void()> handler) { handler_ = std::move(handler); }

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    std::function<void()> handler_;
};

}  // namespace lumora
