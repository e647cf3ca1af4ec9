// VersionTextTest.cpp: the About box's version line.
#include <gtest/gtest.h>

#include "about/core/VersionText.h"

TEST(VersionText, TwoZeroZeroReadsVersionTwoPointZeroZero) {
    EXPECT_EQ(VersionText(2, 0, 0), "Version:2.00");
}

TEST(VersionText, MinorAndReleaseAreJoinedWithoutASeparator) {
    EXPECT_EQ(VersionText(1, 2, 3), "Version:1.23");
    EXPECT_EQ(VersionText(3, 10, 4), "Version:3.104");
}
