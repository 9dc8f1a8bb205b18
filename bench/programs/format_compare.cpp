// Compares the engine's formatNumber with the earlier snprintf-based routine
// (format_reference.cpp) over many values and every pattern, and prints the count of
// values checked and of differences. Exit status 1 on any difference.
//
//   format-compare [random-values]   (default 10,000,000)
//
// The values: random ones over magnitudes from 1e-16 to 1e22 with both signs, random
// bit patterns of finite doubles, decimal ties at every pattern's last place read
// from text (so the binary value lies just above or below the tie), binary values that
// are exact ties at the fifteenth significant digit, and the ties of the unit tests.

#include "engine/NumberText.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace reference {
std::string formatNumber(double value, std::string_view pattern);
}

namespace {

constexpr std::string_view patterns[] = {"0",      "0.0",    "0.0#",    "0.00", "0.00#", "0.000",
                                         "0.000#", "0.0000", "0.00000", "#0.0", "####"};

struct Tally {
    std::uint64_t values = 0;
    std::uint64_t differences = 0;
};

void check(double value, Tally& tally) {
    ++tally.values;
    for (std::string_view pattern : patterns) {
        const std::string expected = reference::formatNumber(value, pattern);
        const std::string actual = tovarin::formatNumber(value, pattern);
        if (expected != actual) {
            if (++tally.differences <= 20)
                std::printf("differs: %.17g with %.*s: reference \"%s\", engine \"%s\"\n", value,
                            static_cast<int>(pattern.size()), pattern.data(), expected.c_str(),
                            actual.c_str());
        }
    }
}

void checkBothSigns(double value, Tally& tally) {
    check(value, tally);
    check(-value, tally);
}

// Mantissa in [1, 10) times a power of ten from 1e-16 to 1e22.
void randomMagnitudes(std::mt19937_64& random, std::uint64_t count, Tally& tally) {
    std::uniform_real_distribution<double> mantissa(1.0, 10.0);
    std::uniform_int_distribution<int> exponent(-16, 22);
    std::bernoulli_distribution negative(0.5);
    for (std::uint64_t i = 0; i < count; ++i) {
        const double value = mantissa(random) * std::pow(10.0, exponent(random));
        check(negative(random) ? -value : value, tally);
    }
}

// Any finite double, subnormals and the extremes included.
void randomBitPatterns(std::mt19937_64& random, std::uint64_t count, Tally& tally) {
    for (std::uint64_t i = 0; i < count; ++i) {
        const std::uint64_t bits = random();
        double value;
        std::memcpy(&value, &bits, sizeof value);
        if (std::isfinite(value))
            check(value, tally);
    }
}

// "digits.digits5" at every place the patterns round to (0 to 5 fraction digits),
// read the way typed numbers are: the binary value is the nearest to the written tie.
void decimalTies(std::mt19937_64& random, std::uint64_t count, Tally& tally) {
    std::uniform_int_distribution<std::uint64_t> integer(0, 999999);
    std::uniform_int_distribution<int> places(0, 5);
    for (std::uint64_t i = 0; i < count; ++i) {
        const int fractionDigits = places(random);
        std::uint64_t modulus = 1;
        for (int d = 0; d < fractionDigits; ++d)
            modulus *= 10;
        char text[64];
        if (fractionDigits == 0)
            std::snprintf(text, sizeof text, "%llu.5",
                          static_cast<unsigned long long>(integer(random)));
        else
            std::snprintf(text, sizeof text, "%llu.%0*llu5",
                          static_cast<unsigned long long>(integer(random)), fractionDigits,
                          static_cast<unsigned long long>(integer(random) % modulus));
        checkBothSigns(std::strtod(text, nullptr), tally);
    }
}

// Binary values whose exact decimal expansion has a 5 right after the fifteenth
// significant digit: the tie of the 15-digit reading itself.
void exactBinaryTies(std::mt19937_64& random, std::uint64_t count, Tally& tally) {
    std::uniform_int_distribution<std::uint64_t> fourteenDigits(10000000000000ULL,
                                                                99999999999999ULL);
    for (std::uint64_t i = 0; i < count; ++i) {
        const std::uint64_t m = fourteenDigits(random);
        // m + 0.5 has 15 digits and a final 5; m * 10 + 5 over two has 16 digits and a final 5.
        checkBothSigns(static_cast<double>(m) + 0.5, tally);
        const std::uint64_t fifteen = m * 10 + 5;
        if (fifteen < (1ULL << 53)) {
            checkBothSigns(static_cast<double>(fifteen) / 2.0, tally);
            checkBothSigns(static_cast<double>(fifteen) / 1024.0, tally);
        }
        checkBothSigns(static_cast<double>(m) * 0.25 + 0.125, tally);
    }
}

void valuesOfTheTests(Tally& tally) {
    const double values[] = {250,
                             0.4,
                             1.04,
                             1,
                             1.1,
                             1.25,
                             1.254,
                             12.5,
                             0.6,
                             0.45,
                             0.315,
                             0.25,
                             0.002,
                             0.0025,
                             0.0123456,
                             5,
                             12.34,
                             300,
                             0,
                             120,
                             120.5,
                             250.6,
                             500,
                             0.05,
                             0.000289352,
                             15759.36,
                             270.7317,
                             0.00123,
                             0.00005,
                             0.00004,
                             0.3 * 1000,
                             1500,
                             1.005,
                             1.35,
                             0.15795,
                             1.255,
                             2.5,
                             0.5,
                             0.0005,
                             9.995,
                             0.99995,
                             99.96,
                             9.96,
                             9.999,
                             999.5,
                             0.04,
                             0.3,
                             1234567.891,
                             1e20,
                             123456789012345678.0,
                             0.1 + 0.2,
                             0.0041,
                             0.0125,
                             100000000000000.5,
                             999999999999999.5,
                             0.999999999999995};
    for (double value : values)
        checkBothSigns(value, tally);
}

} // namespace

int main(int argc, char* argv[]) {
    const std::uint64_t count = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 10000000ULL;
    std::mt19937_64 random(20261207);
    Tally tally;
    valuesOfTheTests(tally);
    randomMagnitudes(random, count, tally);
    randomBitPatterns(random, count / 10, tally);
    decimalTies(random, count / 10, tally);
    exactBinaryTies(random, count / 20, tally);
    std::printf("format-compare: %llu values, %zu patterns each, %llu differences\n",
                static_cast<unsigned long long>(tally.values), std::size(patterns),
                static_cast<unsigned long long>(tally.differences));
    return tally.differences == 0 ? 0 : 1;
}
