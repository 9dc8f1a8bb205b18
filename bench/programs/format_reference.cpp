// The number formatting as it was written with snprintf("%.14e"), kept unchanged as
// the reference that format_compare checks the engine's routine against.
#include <string>
#include <string_view>

namespace reference {
std::string formatNumber(double value, std::string_view pattern);
}

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace reference {

namespace {

// ---------------------------------------------------------------- formatting

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

struct PatternShape {
    int minIntegerDigits = 0;
    int minFractionDigits = 0;
    int maxFractionDigits = 0;
};

// '0' places always print, '#' places only when significant.
PatternShape shapeOf(std::string_view pattern) {
    PatternShape shape;
    bool inFraction = false;
    for (char c : pattern) {
        if (c == '.') {
            inFraction = true;
        } else if (inFraction && (c == '0' || c == '#')) {
            ++shape.maxFractionDigits;
            if (c == '0')
                shape.minFractionDigits = shape.maxFractionDigits;
        } else if (c == '0') {
            ++shape.minIntegerDigits;
        }
    }
    return shape;
}

constexpr int significantDigits = 15;

// The value as its 15 significant decimal digits and the decimal exponent of the
// first one: 1.005 gives "100500000000000" and 0.
struct DecimalReading {
    char digits[significantDigits];
    int exponent = 0;
};

DecimalReading decimalReadingOf(double magnitude) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.14e", magnitude);
    DecimalReading reading;
    int count = 0;
    const char* p = buffer;
    for (; *p != 'e'; ++p) {
        if (isDigit(*p))
            reading.digits[count++] = *p;
    }
    reading.exponent = std::atoi(p + 1);
    return reading;
}

// Digits of the value rounded half away from zero to `fractionDigits` places,
// most significant first, with the position of the decimal point among them.
struct RoundedDigits {
    char digits[significantDigits + 1];
    int count = 0;         // significant digits kept
    int pointPosition = 0; // digits before the decimal point (may be <= 0 or > count)
};

RoundedDigits roundReading(const DecimalReading& reading, int fractionDigits) {
    RoundedDigits rounded;
    rounded.pointPosition = reading.exponent + 1;
    const int keep = rounded.pointPosition + fractionDigits;
    if (keep < 0)
        return rounded; // far below the last place: rounds to zero
    if (keep >= significantDigits) {
        for (int i = 0; i < significantDigits; ++i)
            rounded.digits[i] = reading.digits[i];
        rounded.count = significantDigits;
        return rounded;
    }
    for (int i = 0; i < keep; ++i)
        rounded.digits[i] = reading.digits[i];
    rounded.count = keep;
    if (reading.digits[keep] < '5')
        return rounded;
    // Carry the rounding up through the kept digits.
    int i = keep - 1;
    while (i >= 0 && rounded.digits[i] == '9') {
        rounded.digits[i] = '0';
        --i;
    }
    if (i >= 0) {
        ++rounded.digits[i];
    } else {
        // All nines (or nothing kept): a new leading 1, one place further left.
        for (int j = rounded.count; j > 0; --j)
            rounded.digits[j] = rounded.digits[j - 1];
        rounded.digits[0] = '1';
        ++rounded.count;
        ++rounded.pointPosition;
    }
    return rounded;
}

bool isZero(const RoundedDigits& rounded) {
    for (int i = 0; i < rounded.count; ++i) {
        if (rounded.digits[i] != '0')
            return false;
    }
    return true;
}

// Digit at a position counted from the decimal point (0 = units, -1 = tenths).
char digitAtPlace(const RoundedDigits& rounded, int place) {
    const int index = rounded.pointPosition - 1 - place;
    if (index < 0 || index >= rounded.count)
        return '0';
    return rounded.digits[index];
}

} // namespace

// Non-finite values never reach a display or a file: the program refuses any
// computation that would produce one. Should one arrive anyway, the result is the
// empty text rather than a misleading figure.
std::string formatNumber(double value, std::string_view pattern) {
    if (!std::isfinite(value))
        return {};
    const PatternShape shape = shapeOf(pattern);
    const RoundedDigits rounded =
        roundReading(decimalReadingOf(std::fabs(value)), shape.maxFractionDigits);

    std::string text;
    if (value < 0 && !isZero(rounded))
        text.push_back('-');

    const int integerDigits = std::max(rounded.pointPosition, 0);
    // Leading zeros of the integer part are dropped down to the pattern's '0' places.
    int firstPlace = integerDigits - 1;
    while (firstPlace >= shape.minIntegerDigits && digitAtPlace(rounded, firstPlace) == '0')
        --firstPlace;
    firstPlace = std::max(firstPlace, shape.minIntegerDigits - 1);
    for (int place = firstPlace; place >= 0; --place)
        text.push_back(digitAtPlace(rounded, place));

    // Trailing zeros of the fraction are dropped down to the pattern's '0' places.
    int lastFraction = shape.maxFractionDigits;
    while (lastFraction > shape.minFractionDigits && digitAtPlace(rounded, -lastFraction) == '0')
        --lastFraction;
    if (lastFraction > 0) {
        text.push_back('.');
        for (int i = 1; i <= lastFraction; ++i)
            text.push_back(digitAtPlace(rounded, -i));
    }
    return text;
}

} // namespace reference
