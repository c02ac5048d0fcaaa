// A Wayland client for the desktop suite whose app id comes from the command
// line (wev's is fixed), so two of them are two applications to the focus
// source. It prints the keys it receives as the suite's event lines
// (guest/events.awk), but not Qt's own repeats of a held key, which the
// display server did not send.
#include <QGuiApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QPainter>
#include <QRasterWindow>
#include <cstdio>

namespace {

// The held modifiers in the order the event readers print them.
QString modifierNames(Qt::KeyboardModifiers modifiers) {
    QStringList names;
    const std::pair<Qt::KeyboardModifier, const char*> order[] = {{Qt::ShiftModifier, "Shift"},
                                                                  {Qt::ControlModifier, "Control"},
                                                                  {Qt::AltModifier, "Alt"},
                                                                  {Qt::MetaModifier, "Super"}};
    for (const auto& [modifier, name] : order) {
        if (modifiers & modifier) {
            names << name;
        }
    }
    return names.isEmpty() ? QStringLiteral("-") : names.join('+');
}

class KeyWindow final : public QRasterWindow {
protected:
    void paintEvent(QPaintEvent*) override {
        QPainter(this).fillRect(QRect(QPoint(), size()), Qt::darkCyan);
    }
    void keyPressEvent(QKeyEvent* event) override { report(event, true); }
    void keyReleaseEvent(QKeyEvent* event) override { report(event, false); }

private:
    static void report(const QKeyEvent* event, bool down) {
        if (event->isAutoRepeat()) {
            return;
        }
        // Wayland's key numbers are xkb keycodes, the evdev code + 8.
        const int code = static_cast<int>(event->nativeScanCode()) - 8;
        QString symbol = QKeySequence(event->key()).toString().remove(' ');
        if (symbol.isEmpty()) {
            symbol = QStringLiteral("NoSymbol");
        }
        std::printf("key %s %d %s %s\n", down ? "down" : "up", code, qPrintable(symbol),
                    down ? qPrintable(modifierNames(event->modifiers())) : "");
        std::fflush(stdout);
    }
};

} // namespace

int main(int argc, char** argv) {
    QGuiApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: bindwell_desktop_key_window APP_ID\n");
        return 2;
    }
    QGuiApplication::setDesktopFileName(argv[1]);
    KeyWindow window;
    window.setTitle(argv[1]);
    window.resize(400, 300);
    window.show();
    return QGuiApplication::exec();
}
