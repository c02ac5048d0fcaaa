#include "app/SingleInstanceGuard.h"

#include <QCoreApplication>
#include <cstdio>
#include <cstring>

// A launch in its own process: claims the instance in the folder given as the
// first argument. Exit code 0 handed off, 1 no answer, 3 became primary. With
// "hold" as the second argument a primary says "ready" and keeps running
// until killed, like a running instance that later crashes.
int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        return 2;
    }
    bindwell::SingleInstanceGuard guard(QString::fromLocal8Bit(argv[1]));
    switch (guard.claim()) {
    case bindwell::SingleInstanceGuard::Claim::handedOff:
        return 0;
    case bindwell::SingleInstanceGuard::Claim::noAnswer:
        return 1;
    case bindwell::SingleInstanceGuard::Claim::primary:
        break;
    }
    if (argc < 3 || std::strcmp(argv[2], "hold") != 0) {
        return 3;
    }
    std::puts("ready");
    std::fflush(stdout);
    return QCoreApplication::exec();
}
