#include "view/big_float.h"

#include <cctype>
#include <cmath>
#include <string>

namespace {

// Bits per decimal digit: log2(10).
constexpr double kBitsPerDigit = 3.3219280948873626;

mpfr_prec_t Larger(const BigFloat& a, const BigFloat& b)
{
    return std::max(a.Precision(), b.Precision());
}

} // namespace

BigFloat::BigFloat(mpfr_prec_t bits)
{
    mpfr_init2(value_, bits);
    mpfr_set_zero(value_, 1);
}

BigFloat::BigFloat(double value, mpfr_prec_t bits)
{
    mpfr_init2(value_, bits);
    mpfr_set_d(value_, value, MPFR_RNDN);
}

BigFloat::BigFloat(const BigFloat& other)
{
    mpfr_init2(value_, other.Precision());
    mpfr_set(value_, other.value_, MPFR_RNDN);
}

// A moved-from value is a valid zero of the least precision.
BigFloat::BigFloat(BigFloat&& other) noexcept
{
    mpfr_init2(value_, MPFR_PREC_MIN);
    mpfr_swap(value_, other.value_);
}

BigFloat& BigFloat::operator=(const BigFloat& other)
{
    if (this != &other) {
        mpfr_set_prec(value_, other.Precision());
        mpfr_set(value_, other.value_, MPFR_RNDN);
    }
    return *this;
}

BigFloat& BigFloat::operator=(BigFloat&& other) noexcept
{
    mpfr_swap(value_, other.value_);
    return *this;
}

BigFloat::~BigFloat()
{
    mpfr_clear(value_);
}

void BigFloat::SetPrecision(mpfr_prec_t bits)
{
    mpfr_prec_round(value_, bits, MPFR_RNDN);
}

void BigFloat::Widen(mpfr_prec_t bits)
{
    if (bits > Precision())
        mpfr_prec_round(value_, bits, MPFR_RNDN);
}

long BigFloat::Exponent() const
{
    return mpfr_regular_p(value_) ? static_cast<long>(mpfr_get_exp(value_)) : 0;
}

BigFloat operator+(const BigFloat& a, const BigFloat& b)
{
    BigFloat r(Larger(a, b));
    mpfr_add(r.value_, a.value_, b.value_, MPFR_RNDN);
    return r;
}

BigFloat operator-(const BigFloat& a, const BigFloat& b)
{
    BigFloat r(Larger(a, b));
    mpfr_sub(r.value_, a.value_, b.value_, MPFR_RNDN);
    return r;
}

BigFloat operator*(const BigFloat& a, const BigFloat& b)
{
    BigFloat r(Larger(a, b));
    mpfr_mul(r.value_, a.value_, b.value_, MPFR_RNDN);
    return r;
}

BigFloat operator/(const BigFloat& a, const BigFloat& b)
{
    BigFloat r(Larger(a, b));
    mpfr_div(r.value_, a.value_, b.value_, MPFR_RNDN);
    return r;
}

void BigComplex::Widen(mpfr_prec_t bits)
{
    Re.Widen(bits);
    Im.Widen(bits);
}

BigFloat Rounded(const BigFloat& value, mpfr_prec_t bits)
{
    BigFloat r(bits);
    mpfr_set(r.get(), value.get(), MPFR_RNDN);
    return r;
}

namespace {

// Counts the digits of a plain decimal number: sign, digits with at most one
// point, an optional exponent. Zero when the text is anything else.
std::size_t DecimalDigits(std::string_view text)
{
    std::size_t i = 0, digits = 0;
    auto digit = [&] { return i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); };
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    for (; digit(); ++i)
        ++digits;
    if (i < text.size() && text[i] == '.')
        for (++i; digit(); ++i)
            ++digits;
    if (digits == 0)
        return 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            ++i;
        if (!digit())
            return 0;
        while (digit())
            ++i;
    }
    return i == text.size() ? digits : 0;
}

} // namespace

std::optional<BigFloat> ParseDecimal(std::string_view text)
{
    const std::size_t digits = DecimalDigits(text);
    if (digits == 0)
        return std::nullopt;
    const auto bits = static_cast<mpfr_prec_t>(std::ceil(digits * kBitsPerDigit)) + BigFloat::kMinBits;
    BigFloat value(bits);
    const std::string terminated(text);
    char* end = nullptr;
    mpfr_strtofr(value.get(), terminated.c_str(), &end, 10, MPFR_RNDN);
    const bool hasNonZeroDigit = terminated.find_first_of("123456789") < terminated.find_first_of("eE");
    if (end != terminated.c_str() + terminated.size() || !value.IsFinite() || (value.IsZero() && hasNonZeroDigit))
        return std::nullopt;
    return value;
}

DecimalMagnitude DecimalOf(const BigFloat& value)
{
    constexpr int kDigits = 4;
    if (!mpfr_regular_p(value.get()))
        return {};
    mpfr_exp_t exponent = 0;
    char* digits = mpfr_get_str(nullptr, &exponent, 10, kDigits, value.get(), MPFR_RNDN);
    const double mantissa = std::stod(digits) / std::pow(10.0, kDigits - 1);
    mpfr_free_str(digits);
    return {mantissa, static_cast<long>(exponent) - 1};
}
