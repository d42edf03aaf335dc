// The main of every test program without windows.

#include "tests/support/private_profile.h"

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    const PrivateProfile profile;
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
