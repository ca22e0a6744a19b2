#include <QCoreApplication>

#include <gtest/gtest.h>

// The host starts timers: they need an application object, though these tests never run its loop.
int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
