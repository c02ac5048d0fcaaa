#include <QCoreApplication>
#include <gtest/gtest.h>

// The engine publishes through the event loop, so the tests need one.
int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
