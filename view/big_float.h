#pragma once

#include "model/complex.h"

#include <mpfr.h>

#include <algorithm>
#include <optional>
#include <string_view>
#include <utility>

// A binary floating-point number whose precision is chosen per value and
// can grow (MPFR), for the endless view's camera: a curve point must stay
// exact to far below a pixel however large the magnification, and the
// magnification itself outgrows any double. Arithmetic rounds to nearest,
// to the larger precision of its operands unless a precision is given.
class BigFloat {
public:
    explicit BigFloat(mpfr_prec_t bits = kMinBits);
    BigFloat(double value, mpfr_prec_t bits = kMinBits);
    BigFloat(const BigFloat& other);
    BigFloat(BigFloat&& other) noexcept;
    BigFloat& operator=(const BigFloat& other);
    BigFloat& operator=(BigFloat&& other) noexcept;
    ~BigFloat();

    // Below this, values would lose what a double holds.
    static constexpr mpfr_prec_t kMinBits = 64;

    mpfr_ptr get() { return value_; }
    mpfr_srcptr get() const { return value_; }
    mpfr_prec_t Precision() const { return mpfr_get_prec(value_); }
    // Rounds the value to the new precision.
    void SetPrecision(mpfr_prec_t bits);
    // At least this precision, keeping the value exactly.
    void Widen(mpfr_prec_t bits);

    double ToDouble() const { return mpfr_get_d(value_, MPFR_RNDN); }
    bool IsZero() const { return mpfr_zero_p(value_) != 0; }
    bool IsFinite() const { return mpfr_number_p(value_) != 0; }
    int Sign() const { return mpfr_sgn(value_); }
    // The power of two just above the magnitude (|x| < 2^Exponent); zero
    // and other special values count as 0.
    long Exponent() const;

    friend BigFloat operator+(const BigFloat& a, const BigFloat& b);
    friend BigFloat operator-(const BigFloat& a, const BigFloat& b);
    friend BigFloat operator*(const BigFloat& a, const BigFloat& b);
    friend BigFloat operator/(const BigFloat& a, const BigFloat& b);
    friend bool operator<(const BigFloat& a, const BigFloat& b) { return mpfr_less_p(a.value_, b.value_) != 0; }
    friend bool operator==(const BigFloat& a, const BigFloat& b) { return mpfr_equal_p(a.value_, b.value_) != 0; }
    // Exchanges the values and precisions without copying a digit.
    friend void swap(BigFloat& a, BigFloat& b) noexcept { mpfr_swap(a.value_, b.value_); }

private:
    mpfr_t value_;
};

// A complex number of two BigFloats; the same arithmetic as Complex.
struct BigComplex {
    BigComplex() = default;
    explicit BigComplex(mpfr_prec_t bits) : Re(bits), Im(bits) {}
    BigComplex(const Complex& z, mpfr_prec_t bits) : Re(z.Re, bits), Im(z.Im, bits) {}
    BigComplex(BigFloat re, BigFloat im) : Re(std::move(re)), Im(std::move(im)) {}

    Complex ToComplex() const { return {Re.ToDouble(), Im.ToDouble()}; }
    friend void swap(BigComplex& a, BigComplex& b) noexcept
    {
        swap(a.Re, b.Re);
        swap(a.Im, b.Im);
    }
    mpfr_prec_t Precision() const { return std::max(Re.Precision(), Im.Precision()); }
    void Widen(mpfr_prec_t bits);
    // The larger exponent of the two parts.
    long Exponent() const { return std::max(Re.Exponent(), Im.Exponent()); }

    friend BigComplex operator+(const BigComplex& a, const BigComplex& b) { return {a.Re + b.Re, a.Im + b.Im}; }
    friend BigComplex operator-(const BigComplex& a, const BigComplex& b) { return {a.Re - b.Re, a.Im - b.Im}; }
    friend BigComplex operator*(const BigComplex& a, const BigFloat& k) { return {a.Re * k, a.Im * k}; }
    friend BigComplex operator/(const BigComplex& a, const BigFloat& k) { return {a.Re / k, a.Im / k}; }

    BigFloat Re;
    BigFloat Im;
};

// The result of op rounded to bits, for a step whose operands carry more
// (or fewer) bits than its result needs.
BigFloat Rounded(const BigFloat& value, mpfr_prec_t bits);

// A plain decimal number, "-12.5", "1e300", "0.000123E-4", read without a
// detour through double: the precision holds every digit of the text.
// Anything else (signs alone, "inf", "nan", hexadecimal, spaces) is nullopt.
std::optional<BigFloat> ParseDecimal(std::string_view text);

// A positive number as a mantissa in [1, 10) and a power of ten, for
// showing magnitudes beyond any double.
struct DecimalMagnitude {
    double Mantissa = 0.0;
    long Exponent = 0;
};
DecimalMagnitude DecimalOf(const BigFloat& value);
