#include "model/number_text.h"

#include <QLocale>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace {

constexpr int kSignificantDigits = 15;
constexpr int kLowestFixedExponent = -4;  // 0.0001 is still written in fixed notation
constexpr int kHighestFixedExponent = 14; // 10^15 is not

std::string_view TrimSpaces(std::string_view text)
{
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool EqualsIgnoringCase(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

std::string FormatFixed(const std::string& digits, int exponent, char separator)
{
    std::string integerPart, fraction;
    if (exponent >= 0) {
        const auto integerDigits = static_cast<std::size_t>(exponent) + 1;
        integerPart = digits.substr(0, std::min(integerDigits, digits.size()));
        integerPart.resize(integerDigits, '0');
        if (digits.size() > integerDigits)
            fraction = digits.substr(integerDigits);
    } else {
        integerPart = "0";
        fraction = std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    }
    return fraction.empty() ? integerPart : integerPart + separator + fraction;
}

std::string FormatScientific(const std::string& digits, int exponent, char separator)
{
    std::string text(1, digits[0]);
    if (digits.size() > 1)
        text += separator + digits.substr(1);
    return text + 'E' + std::to_string(exponent);
}

// The digits of a positive value in scientific notation, trailing zeros
// dropped, and its decimal exponent.
struct Digits {
    std::string Text;
    int Exponent = 0;
};

Digits SignificantDigits(double value, int fractionDigits)
{
    // "d.dddddddddddddde+XX"
    char buffer[48];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific,
                                      fractionDigits);
    const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
    const auto e = text.find('e');
    Digits d;
    for (char c : text.substr(0, e))
        if (IsDigit(c))
            d.Text += c;
    d.Text.erase(d.Text.find_last_not_of('0') + 1);
    const auto exponentText = text.substr(e + 1);
    std::from_chars(exponentText.data() + (exponentText[0] == '+' ? 1 : 0),
                    exponentText.data() + exponentText.size(), d.Exponent);
    return d;
}

// The first 15 significant digits without rounding.
Digits TruncatedDigits(double value)
{
    Digits d = SignificantDigits(value, std::numeric_limits<double>::max_digits10);
    d.Text.resize(std::min<std::size_t>(d.Text.size(), kSignificantDigits));
    d.Text.erase(d.Text.find_last_not_of('0') + 1);
    return d;
}

bool Reads(const Digits& d)
{
    const std::string text = d.Text + 'e' + std::to_string(d.Exponent - static_cast<int>(d.Text.size()) + 1);
    double value = 0.0;
    return std::from_chars(text.data(), text.data() + text.size(), value).ec == std::errc();
}

} // namespace

char SystemDecimalSeparator()
{
    const QString point = QLocale::system().decimalPoint();
    return point == QStringLiteral(",") ? ',' : '.';
}

std::string FormatNumber(double value, char separator)
{
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value < 0 ? "-INF" : "INF";
    if (value == 0.0)
        return "0";

    const Digits rounded = SignificantDigits(std::fabs(value), kSignificantDigits - 1);
    // Near the largest double the rounded digits name a number past it,
    // which reads as an overflow: those are cut instead of rounded.
    const Digits d = Reads(rounded) ? rounded : TruncatedDigits(std::fabs(value));
    const bool fixed = d.Exponent >= kLowestFixedExponent && d.Exponent <= kHighestFixedExponent;
    const std::string body = fixed ? FormatFixed(d.Text, d.Exponent, separator)
                                   : FormatScientific(d.Text, d.Exponent, separator);
    return value < 0 ? "-" + body : body;
}

std::optional<double> ParseNumber(std::string_view text, char separator)
{
    text = TrimSpaces(text);
    std::string normal;
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-')
            normal += '-';
        ++i;
    }
    int mantissaDigits = 0;
    bool seenSeparator = false;
    for (; i < text.size(); ++i) {
        if (IsDigit(text[i])) {
            normal += text[i];
            ++mantissaDigits;
        } else if (text[i] == separator && !seenSeparator) {
            normal += '.';
            seenSeparator = true;
        } else {
            break;
        }
    }
    if (mantissaDigits == 0)
        return std::nullopt;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        normal += 'e';
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            normal += text[i++];
        int exponentDigits = 0;
        for (; i < text.size() && IsDigit(text[i]); ++i, ++exponentDigits)
            normal += text[i];
        if (exponentDigits == 0)
            return std::nullopt;
    }
    if (i != text.size())
        return std::nullopt;

    double value = 0.0;
    const auto result = std::from_chars(normal.data(), normal.data() + normal.size(), value);
    if (result.ec != std::errc() || result.ptr != normal.data() + normal.size())
        return std::nullopt;
    return value;
}

std::optional<double> ParseFileNumber(std::string_view text)
{
    const bool point = text.find('.') != std::string_view::npos;
    const bool comma = text.find(',') != std::string_view::npos;
    if (point && comma)
        return std::nullopt;
    return ParseNumber(text, comma ? ',' : '.');
}

namespace {

std::optional<std::int32_t> ParseDigits(std::string_view digits, int base, bool negative)
{
    if (digits.empty())
        return std::nullopt;
    std::uint64_t magnitude = 0;
    const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), magnitude, base);
    if (result.ec != std::errc() || result.ptr != digits.data() + digits.size())
        return std::nullopt;
    // Hexadecimal takes the full 32 bits, so $FFFFFFFF reads as -1.
    if (base == 16 && magnitude <= 0xFFFFFFFFull) {
        const auto bits = static_cast<std::int64_t>(static_cast<std::int32_t>(static_cast<std::uint32_t>(magnitude)));
        return static_cast<std::int32_t>(negative ? -bits : bits);
    }
    const std::int64_t value = negative ? -static_cast<std::int64_t>(magnitude) : static_cast<std::int64_t>(magnitude);
    if (magnitude > 0x80000000ull || value < std::numeric_limits<std::int32_t>::min()
        || value > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

std::string_view TakeSign(std::string_view text, bool& negative)
{
    negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    return text;
}

} // namespace

std::optional<std::int32_t> ParseInteger(std::string_view text)
{
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    bool negative = false;
    text = TakeSign(text, negative);
    if (!text.empty() && (text.front() == '$' || text.front() == 'x' || text.front() == 'X'))
        return ParseDigits(text.substr(1), 16, negative);
    if (text.size() > 1 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
        return ParseDigits(text.substr(2), 16, negative);
    if (!text.empty() && !IsDigit(text.front()))
        return std::nullopt;
    return ParseDigits(text, 10, negative);
}

std::optional<std::int32_t> ParseDecimalInteger(std::string_view text)
{
    bool negative = false;
    text = TakeSign(TrimSpaces(text), negative);
    if (text.empty() || !IsDigit(text.front()))
        return std::nullopt;
    return ParseDigits(text, 10, negative);
}

std::optional<bool> ParseBoolean(std::string_view text, char separator)
{
    if (EqualsIgnoringCase(text, "true"))
        return true;
    if (EqualsIgnoringCase(text, "false"))
        return false;
    if (const auto integer = ParseInteger(text))
        return *integer != 0;
    if (const auto number = ParseNumber(text, separator))
        return *number != 0.0;
    return std::nullopt;
}

std::optional<bool> ParseFileBoolean(std::string_view text)
{
    const bool comma = text.find(',') != std::string_view::npos;
    if (comma && text.find('.') != std::string_view::npos)
        return std::nullopt;
    return ParseBoolean(text, comma ? ',' : '.');
}
