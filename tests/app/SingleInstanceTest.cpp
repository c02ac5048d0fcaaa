#include "app/SingleInstanceGuard.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace bindwell {
namespace {

// A launch while another runs never becomes a second running instance, and
// one after it ended does. The hand-off to a running program and the launch
// after a killed one: launch-check.sh, with the real program.
TEST(SingleInstance, ALaunchTakesOverOnlyOnceTheRunningOneEnded) {
    QTemporaryDir folder;
    {
        SingleInstanceGuard first(folder.path());
        ASSERT_EQ(first.claim(), SingleInstanceGuard::Claim::primary);
        // Nobody serves the socket while this thread waits, so it gets no
        // answer: what matters is that it does not become a second primary.
        SingleInstanceGuard second(folder.path());
        EXPECT_EQ(second.claim(), SingleInstanceGuard::Claim::noAnswer);
    }
    SingleInstanceGuard later(folder.path());
    EXPECT_EQ(later.claim(), SingleInstanceGuard::Claim::primary);
}

} // namespace
} // namespace bindwell
