// A plain Qt window for the suites that need a real client of a desktop: its
// app id (and so its application to the focus sources) comes from the command
// line, with the title, which is the app id unless given. Given a title, each
// line of standard input becomes its new title; with "unmanaged" (X11), no
// window manager handles it. It prints the keys it receives as the desktop
// suite's event lines (tests/vm/desktop/guest/events.awk), but not Qt's own
// repeats of a held key, which the display server did not send.
#include <QGuiApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QPainter>
#include <QRasterWindow>
#include <QSocketNotifier>
#include <cstdio>
#include <unistd.h>

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

class TestWindow final : public QRasterWindow {
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
    if (argc < 2 || argc > 4 || (argc == 4 && QByteArray(argv[3]) != "unmanaged")) {
        std::fprintf(stderr, "usage: bindwell_test_window APP_ID [TITLE [unmanaged]]\n");
        return 2;
    }
    QGuiApplication::setDesktopFileName(argv[1]);
    TestWindow window;
    if (argc == 4) {
        window.setFlags(Qt::X11BypassWindowManagerHint);
    }
    window.setTitle(argv[argc >= 3 ? 2 : 1]);
    window.resize(400, 300);
    window.show();
    // Only a titled window reads its input: the desktop suite's clients
    // inherit whatever the display server's standard input is.
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    input.setEnabled(argc >= 3);
    QObject::connect(&input, &QSocketNotifier::activated, [&] {
        char line[256];
        const ssize_t length = ::read(STDIN_FILENO, line, sizeof line - 1);
        if (length <= 0) {
            input.setEnabled(false);
            return;
        }
        window.setTitle(QString::fromUtf8(line, length).trimmed());
    });
    return QGuiApplication::exec();
}
