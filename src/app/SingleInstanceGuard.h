// Main thread only.
#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>
#include <memory>

namespace bindwell {

// Keeps one Bindwell per user. The lock file decides who is the running
// instance (the kernel drops it when a process dies, so a crash leaves nothing
// that blocks the next launch); the local socket only carries the request of a
// later launch to open the setup window.
class SingleInstanceGuard final : public QObject {
    Q_OBJECT

public:
    enum class Claim {
        primary,   // this process is the running instance
        handedOff, // another instance is running and opened its window
        noAnswer,  // another instance holds the lock but did not answer
    };

    // `folder` holds the lock and the socket; by default the user's runtime
    // folder, which no other user can read.
    explicit SingleInstanceGuard(const QString& folder = defaultFolder(),
                                 QObject* parent = nullptr);
    ~SingleInstanceGuard() override;
    SingleInstanceGuard(const SingleInstanceGuard&) = delete;
    SingleInstanceGuard& operator=(const SingleInstanceGuard&) = delete;

    // Becomes the running instance, or asks the running one to show its window
    // and logs the outcome.
    [[nodiscard]] Claim claim();

    [[nodiscard]] static QString defaultFolder();

signals:
    // A later launch asked this instance to open its setup window.
    void activationRequested();

private:
    void listenOrWarn();
    [[nodiscard]] bool askRunningInstance();
    void answerNextConnection();

    QString socketPath_;
    QLockFile lock_;
    QLocalServer server_;
};

} // namespace bindwell
