#include "engine/NumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace tovarin {

namespace {

// ---------------------------------------------------------------- reading numbers

// Blanks, tabs and line feeds are skipped wherever they stand in a typed number.
bool isIgnoredBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Walks a text character by character, stepping over the ignored blanks.
class NumberCursor {
public:
    explicit NumberCursor(std::string_view text) : text_(text) { skipBlanks(); }

    bool atEnd() const { return pos_ >= text_.size(); }
    char peek() const { return atEnd() ? '\0' : text_[pos_]; }
    void advance() {
        ++pos_;
        skipBlanks();
    }

private:
    void skipBlanks() {
        while (pos_ < text_.size() && isIgnoredBlank(text_[pos_]))
            ++pos_;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

// Value of a hexadecimal or octal digit, or -1 when c is none.
int radixDigitValue(char c, int radix) {
    int value = -1;
    if (isDigit(c))
        value = c - '0';
    else if (c >= 'a' && c <= 'f')
        value = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
        value = c - 'A' + 10;
    return value >= 0 && value < radix ? value : -1;
}

// The digits after "&H" or "&O"; the cursor stands on the first of them.
double readRadixInteger(NumberCursor& cursor, int radix) {
    double value = 0;
    for (int digit = radixDigitValue(cursor.peek(), radix); digit >= 0;
         digit = radixDigitValue(cursor.peek(), radix)) {
        value = value * radix + digit;
        cursor.advance();
    }
    return value;
}

// The decimal number at the cursor, written out as plain ASCII for from_chars,
// with the exponent's D turned into e. Also keeps what is needed to tell an
// overflow from an underflow when from_chars reports a value out of range.
struct DecimalText {
    std::string ascii;
    bool negative = false;
    bool hasMantissaDigit = false;
    bool mantissaIsZero = true;
    long magnitude = 0; // the mantissa is about 10^magnitude (integer digits, or minus the zeros
                        // after the point)
    long exponent = 0;  // saturated, only for telling overflow from underflow
};

void readMantissa(NumberCursor& cursor, DecimalText& number) {
    bool seenPoint = false;
    long integerDigits = 0;
    long leadingFractionZeros = 0;
    for (;;) {
        const char c = cursor.peek();
        if (isDigit(c)) {
            number.hasMantissaDigit = true;
            if (c != '0')
                number.mantissaIsZero = false;
            if (!seenPoint && !number.mantissaIsZero)
                ++integerDigits;
            if (seenPoint && number.mantissaIsZero)
                ++leadingFractionZeros;
        } else if (c == '.' && !seenPoint) {
            seenPoint = true;
        } else {
            break;
        }
        number.ascii.push_back(c);
        cursor.advance();
    }
    number.magnitude = integerDigits > 0 ? integerDigits : -leadingFractionZeros;
}

// An exponent counts only when a digit follows the E or D (and its sign).
void readExponent(NumberCursor& cursor, DecimalText& number) {
    const char marker = cursor.peek();
    if (marker != 'E' && marker != 'e' && marker != 'D' && marker != 'd')
        return;
    cursor.advance();
    bool negative = false;
    if (cursor.peek() == '+' || cursor.peek() == '-') {
        negative = cursor.peek() == '-';
        cursor.advance();
    }
    if (!isDigit(cursor.peek()))
        return;
    number.ascii.push_back('e');
    if (negative)
        number.ascii.push_back('-');
    constexpr long saturation = 1000000;
    while (isDigit(cursor.peek())) {
        number.ascii.push_back(cursor.peek());
        if (number.exponent < saturation)
            number.exponent = number.exponent * 10 + (cursor.peek() - '0');
        cursor.advance();
    }
    if (negative)
        number.exponent = -number.exponent;
}

double convertDecimal(const DecimalText& number) {
    if (!number.hasMantissaDigit || number.mantissaIsZero)
        return 0;
    double value = 0;
    const char* first = number.ascii.data();
    const char* last = first + number.ascii.size();
    const std::errc error = std::from_chars(first, last, value, std::chars_format::general).ec;
    if (error == std::errc::result_out_of_range) {
        // Beyond the double range: too large is infinite, too small is 0.
        const bool overflow = number.magnitude + number.exponent > 0;
        value = overflow ? std::numeric_limits<double>::infinity() : 0.0;
    } else if (error != std::errc()) {
        value = 0;
    }
    if (value == 0)
        return 0; // never a negative zero
    return number.negative ? -value : value;
}

// ---------------------------------------------------------------- formatting

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

// std::to_chars with 14 digits after the point gives the same digits as printf's
// "%.14e" (both exact, ties of the binary value to even) at a fraction of the cost.
DecimalReading decimalReadingOf(double magnitude) {
    char buffer[32];
    const std::to_chars_result end =
        std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific,
                      significantDigits - 1);
    DecimalReading reading;
    int count = 0;
    const char* p = buffer;
    for (; *p != 'e'; ++p) {
        if (isDigit(*p))
            reading.digits[count++] = *p;
    }
    ++p; // the exponent: a sign and at least two digits
    const bool negativeExponent = *p == '-';
    int exponent = 0;
    for (++p; p < end.ptr; ++p)
        exponent = exponent * 10 + (*p - '0');
    reading.exponent = negativeExponent ? -exponent : exponent;
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

double textToNumber(std::string_view text) {
    NumberCursor cursor(text);
    if (cursor.peek() == '&') {
        cursor.advance();
        const char kind = cursor.peek();
        if (kind == 'H' || kind == 'h') {
            cursor.advance();
            return readRadixInteger(cursor, 16);
        }
        if (kind == 'O' || kind == 'o') {
            cursor.advance();
            return readRadixInteger(cursor, 8);
        }
        return 0;
    }
    DecimalText number;
    if (cursor.peek() == '+' || cursor.peek() == '-') {
        number.negative = cursor.peek() == '-';
        cursor.advance();
    }
    readMantissa(cursor, number);
    if (number.hasMantissaDigit)
        readExponent(cursor, number);
    return convertDecimal(number);
}

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

} // namespace tovarin
