// A window for the focus tests: shows one plain window whose app id and title
// come from the command line, and takes each line of standard input as its
// new title. With "unmanaged" (X11), no window manager handles it.
#include <QGuiApplication>
#include <QRasterWindow>
#include <QSocketNotifier>
#include <cstdio>
#include <unistd.h>

int main(int argc, char** argv) {
    QGuiApplication application(argc, argv);
    if (argc != 3 && !(argc == 4 && QByteArray(argv[3]) == "unmanaged")) {
        std::fprintf(stderr, "usage: focus-test-window APP_ID TITLE [unmanaged]\n");
        return 2;
    }
    QGuiApplication::setDesktopFileName(argv[1]);
    QRasterWindow window;
    if (argc == 4) {
        window.setFlags(Qt::X11BypassWindowManagerHint);
    }
    window.setTitle(argv[2]);
    window.resize(200, 100);
    window.show();
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
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
