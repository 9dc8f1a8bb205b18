#pragma once
// The rainwater calculation for GoogleTest programs: the result of an input that must
// be accepted.

#include "engine/Rainwater.h"

#include <gtest/gtest.h>

namespace tovarin::testing {

// The result of an input the calculation must accept (a test failure when it refuses).
inline RainwaterResult computedRainwater(const RainwaterInput& in) {
    RainwaterOutcome outcome = computeRainwater(in);
    EXPECT_TRUE(outcome.ok()) << (outcome.failure ? outcome.failure->message : "");
    return outcome.result;
}

} // namespace tovarin::testing
