#include <QCoreApplication>

#include <gtest/gtest.h>

// The mixer's change notifications arrive through the event loop.
int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
