// Main thread only.
#pragma once

#include <QObject>
#include <memory>

class QQmlEngine;
class QQuickWindow;

namespace bindwell {

// The single setup window (identifier "setup", title "Bindwell"). It is
// created on first use and only hidden when the user closes it, so every later
// request shows that same window instead of a second one.
class SetupWindow final : public QObject {
    Q_OBJECT

public:
    explicit SetupWindow(QQmlEngine& engine, QObject* parent = nullptr);
    ~SetupWindow() override;

    // Shows the window without asking for focus.
    void show();
    // Shows the window and brings it to the front.
    void open();

    // nullptr until first shown, or when the page failed to load.
    [[nodiscard]] QQuickWindow* window() const { return window_.get(); }

private:
    [[nodiscard]] QQuickWindow* ensureWindow();

    QQmlEngine& engine_;
    std::unique_ptr<QQuickWindow> window_;
};

} // namespace bindwell
