// A stand-in for KWin on a private session bus: owns org.kde.KWin, answers
// the Scripting interface of Plasma 5 or 6 (argv[1]), runs the script it is
// asked to load in a QJSEngine whose `workspace` and `callDBus` mimic that
// generation, then plays the steps of a table (argv[2]) on it, restarting
// itself where the table says. Its own lines (loads, unloads, refused
// spoofs) go to stdout.
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QFile>
#include <QJSEngine>
#include <QRegularExpression>
#include <QTimer>
#include <cstdio>
#include <functional>
#include <memory>

namespace {

void say(const QString& line) {
    std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
}

// What scripts reach as callDBus, resourceClass bytes, and the bus.
class Bridge final : public QObject {
    Q_OBJECT
public:
    Q_INVOKABLE void call(const QVariantList& arguments, bool spoof) {
        QDBusMessage message = QDBusMessage::createMethodCall(
            arguments.value(0).toString(), arguments.value(1).toString(),
            arguments.value(2).toString(), arguments.value(3).toString());
        message.setArguments(arguments.mid(4));
        QDBusConnection bus =
            spoof ? QDBusConnection::connectToBus(QDBusConnection::SessionBus, "spoof")
                  : QDBusConnection::sessionBus();
        if (spoof) {
            const QDBusMessage reply = bus.call(message);
            say("spoof answered: " + reply.errorName());
        } else {
            bus.asyncCall(message);
        }
    }
    Q_INVOKABLE QByteArray bytes(const QString& text) { return text.toUtf8(); }
};

// The table's rows, "action | fields", whole: the workspace's play() splits them.
QStringList readTable(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll())
                                                .split('\n')
                                                .filter(QRegularExpression("^ *[^ #]"))
                                          : QStringList();
}

QString actionOf(const QString& row) {
    return row.section('|', 0, 0).trimmed();
}

// A loaded script's own object, org.kde.kwin.Script.
class Script final : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.kwin.Script")
public:
    explicit Script(std::function<void()> run) : run_(std::move(run)) {}

public Q_SLOTS:
    Q_SCRIPTABLE void run() { run_(); }

private:
    std::function<void()> run_;
};

class Scripting final : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.kwin.Scripting")
public:
    Scripting(bool plasma5, QStringList steps) : plasma5_(plasma5), steps_(std::move(steps)) {
        QJSEngine::setObjectOwnership(&bridge_, QJSEngine::CppOwnership);
        startEngine();
        // Steps before the first activation describe the window active at load.
        while (!steps_.isEmpty() && actionOf(steps_.first()) == "initial") {
            play(steps_.takeFirst());
        }
    }

public Q_SLOTS:
    Q_SCRIPTABLE int loadScript(const QString& path, const QString& plugin) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            return -1;
        }
        source_ = QString::fromUtf8(file.readAll());
        say("loadScript " + plugin);
        const QString object = plasma5_ ? "/1" : "/Scripting/Script1";
        QDBusConnection::sessionBus().registerObject(object, &script_,
                                                     QDBusConnection::ExportScriptableSlots);
        return 1;
    }
    Q_SCRIPTABLE bool unloadScript(const QString& plugin) {
        if (!source_.isEmpty()) {
            say("unloadScript " + plugin);
            QCoreApplication::quit();
        }
        return !source_.isEmpty();
    }

private:
    void run() {
        const QRegularExpression service("bindwellService = \"([^\"]+)\"");
        engine_->globalObject().setProperty("service", service.match(source_).captured(1));
        const QJSValue result = engine_->evaluate(source_);
        if (result.isError()) {
            say("script error: " + result.toString());
        }
        // After run() has answered: the caller waits for that answer and
        // takes no call meanwhile.
        QTimer::singleShot(0, this, [this] { playSteps(); });
    }

    // Plays steps until the table restarts KWin; the rest wait for the
    // restarted KWin to run the script again.
    void playSteps() {
        while (!steps_.isEmpty()) {
            const QString step = steps_.takeFirst();
            if (actionOf(step) == "vanish") {
                // KWin's process ends, and every script with it.
                QDBusConnection::sessionBus().unregisterService("org.kde.KWin");
                source_.clear();
                startEngine();
            } else if (actionOf(step) == "return") {
                play("initial |" + step.section('|', 1));
                QDBusConnection::sessionBus().registerService("org.kde.KWin");
                return;
            } else {
                play(step);
            }
        }
    }

    void startEngine() {
        engine_ = std::make_unique<QJSEngine>();
        engine_->globalObject().setProperty("bridge", engine_->newQObject(&bridge_));
        engine_->globalObject().setProperty("plasma5", plasma5_);
        QFile workspace(MOCK_KWIN_WORKSPACE);
        workspace.open(QIODevice::ReadOnly);
        engine_->evaluate(QString::fromUtf8(workspace.readAll()), workspace.fileName());
    }

    void play(const QString& step) {
        const QJSValue result = engine_->globalObject().property("play").call({step});
        if (result.isError()) {
            say("step error: " + result.toString());
        }
    }

    bool plasma5_;
    QStringList steps_;
    Bridge bridge_;
    std::unique_ptr<QJSEngine> engine_;
    QString source_;
    Script script_{[this] { run(); }};
};

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: mock-kwin 5|6 TABLE\n");
        return 2;
    }
    Scripting scripting(QString(argv[1]) == "5", readTable(argv[2]));
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.registerObject("/Scripting", &scripting, QDBusConnection::ExportScriptableSlots) ||
        !bus.registerService("org.kde.KWin")) {
        std::fprintf(stderr, "mock-kwin: cannot own org.kde.KWin\n");
        return 1;
    }
    say("ready");
    return QCoreApplication::exec();
}

#include "MockKWin.moc"
