#include <gtest/gtest.h>

// Replaced by the simulator tests.
TEST(SimBuild, LinksAgainstTheCore) { SUCCEED(); }
