#include "app/SingleInstanceGuard.h"

#include <QDir>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <gtest/gtest.h>

namespace bindwell {
namespace {

constexpr int probeTimeoutMs = 10000;

// Runs a later launch in its own process while this one keeps serving events,
// as the running instance would; gives its exit code.
int launchAgain(const QString& folder) {
    QProcess probe;
    probe.start(QStringLiteral(BINDWELL_SECOND_LAUNCH_PROBE), {folder});
    EXPECT_TRUE(probe.waitForStarted());
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return probe.state() == QProcess::NotRunning; }, probeTimeoutMs));
    return probe.exitCode();
}

// A later launch becomes the running instance once the last one ended or
// crashed, and otherwise asks the running one to open its window and leaves.
TEST(SingleInstance, ALaunchHandsOffToARunningOneAndTakesOverFromAnEndedOne) {
    QTemporaryDir folder;
    {
        SingleInstanceGuard first(folder.path());
        ASSERT_EQ(first.claim(), SingleInstanceGuard::Claim::primary);
        // Nobody serves the socket while this thread waits, so it gets no
        // answer: what matters is that it does not become a second primary.
        SingleInstanceGuard second(folder.path());
        EXPECT_NE(second.claim(), SingleInstanceGuard::Claim::primary);
    }
    EXPECT_EQ(launchAgain(folder.path()), 3);

    // One that crashed leaves its socket behind, which blocks nothing.
    QProcess crashing;
    crashing.start(QStringLiteral(BINDWELL_SECOND_LAUNCH_PROBE),
                   {folder.path(), QStringLiteral("hold")});
    ASSERT_TRUE(crashing.waitForReadyRead(probeTimeoutMs));
    ASSERT_EQ(crashing.readAllStandardOutput(), QByteArray("ready\n"));
    ::kill(static_cast<pid_t>(crashing.processId()), SIGKILL);
    ASSERT_TRUE(crashing.waitForFinished(probeTimeoutMs));
    ASSERT_TRUE(QFile::exists(QDir(folder.path()).filePath(QStringLiteral("bindwell.socket"))));

    SingleInstanceGuard running(folder.path());
    ASSERT_EQ(running.claim(), SingleInstanceGuard::Claim::primary);
    QSignalSpy asked(&running, &SingleInstanceGuard::activationRequested);
    EXPECT_EQ(launchAgain(folder.path()), 0);
    EXPECT_EQ(asked.count(), 1);
}

} // namespace
} // namespace bindwell
