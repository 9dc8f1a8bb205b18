#pragma once
// Relative closeness for hand-computed physics: 1e-9 of the expected magnitude.

#include <cmath>
#include <gtest/gtest.h>

#define EXPECT_REL(actual, expected) EXPECT_NEAR((actual), (expected), 1e-9 * std::fabs(expected))
