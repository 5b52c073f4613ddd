#pragma once

// A mutable complex number. Every operation changes the object it is applied
// to and leaves its argument alone; each part is formed from the old value,
// so an object may be its own argument.
struct Complex {
    double Re = 0.0;
    double Im = 0.0;

    constexpr Complex() = default;
    constexpr Complex(double re, double im) : Re(re), Im(im) {}

    constexpr void SetTo(double re, double im) { Re = re; Im = im; }
    constexpr void Assign(const Complex& other) { Re = other.Re; Im = other.Im; }

    constexpr void Add(const Complex& a) { Re += a.Re; Im += a.Im; }
    constexpr void Sub(const Complex& a) { Re -= a.Re; Im -= a.Im; }

    constexpr void Mul(const Complex& a)
    {
        const double t = a.Re * Re - a.Im * Im;
        Im = a.Re * Im + a.Im * Re;
        Re = t;
    }

    // Taking the conjugate first keeps z.Div(z) at (1, 0); a zero divisor
    // leaves the product (0, 0) untouched instead of failing.
    constexpr void Div(const Complex& a)
    {
        const Complex c(a.Re, -a.Im);
        Mul(c);
        DivReal(c.SqrAbs());
    }

    constexpr void MulReal(double x) { Re *= x; Im *= x; }

    // A zero (or NaN) divisor leaves the value as it is.
    constexpr void DivReal(double x)
    {
        if (x == 0.0 || x != x)
            return;
        Re /= x;
        Im /= x;
    }

    constexpr double SqrAbs() const { return Re * Re + Im * Im; }
};

// Value forms of the operations above, for formulas that read better as
// expressions than as a run of in-place steps.
constexpr Complex Plus(Complex a, const Complex& b)
{
    a.Add(b);
    return a;
}

constexpr Complex Minus(Complex a, const Complex& b)
{
    a.Sub(b);
    return a;
}

constexpr Complex Times(Complex a, const Complex& b)
{
    a.Mul(b);
    return a;
}

// A zero divisor gives (0, 0), as Div does.
constexpr Complex Over(Complex a, const Complex& b)
{
    a.Div(b);
    return a;
}

constexpr Complex Conj(Complex z)
{
    z.Im = -z.Im;
    return z;
}
