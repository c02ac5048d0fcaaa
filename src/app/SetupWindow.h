// Main thread only.
#pragma once

#include <QObject>
#include <memory>

class QQmlEngine;
class QQuickWindow;

namespace bindwell {

// The single setup window (identifier "setup", title "Bindwell"). While it is
// open every request raises that same window instead of making a second one;
// closing it frees its pages, which a tray program would otherwise carry for
// days, and the next request builds it afresh from the shared state.
class SetupWindow final : public QObject {
    Q_OBJECT

public:
    explicit SetupWindow(QQmlEngine& engine, QObject* parent = nullptr);
    ~SetupWindow() override;

    // Shows the window without asking for focus.
    void show();
    // Shows the window and brings it to the front.
    void open();

    // nullptr while closed, or when the page failed to load.
    [[nodiscard]] QQuickWindow* window() const { return window_.get(); }

private:
    [[nodiscard]] QQuickWindow* ensureWindow();
    void discardWhenHidden(bool visible);

    QQmlEngine& engine_;
    std::unique_ptr<QQuickWindow> window_;
};

} // namespace bindwell
