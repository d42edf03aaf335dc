// The main of every test program with widgets: a QApplication on the offscreen platform unless
// another one is asked for, so that widget tests and test discovery at build time need no screen.

#include "tests/support/private_profile.h"

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    const PrivateProfile profile;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
