#include "model/complex.h"

#include <gtest/gtest.h>

namespace {

void ExpectComplex(const Complex& z, double re, double im)
{
    EXPECT_DOUBLE_EQ(z.Re, re);
    EXPECT_DOUBLE_EQ(z.Im, im);
}

TEST(Complex, MultiplicationRotatesAndScales)
{
    Complex z(2.5, -3);
    z.Mul(Complex(1, 0));
    ExpectComplex(z, 2.5, -3);
    z.Mul(Complex(0, 1));
    ExpectComplex(z, 3, 2.5);
}

TEST(Complex, OperationsWithItselfUseTheOldValue)
{
    Complex square(3, 4);
    square.Mul(square);
    ExpectComplex(square, -7, 24);

    Complex quotient(3, 4);
    quotient.Div(quotient);
    ExpectComplex(quotient, 1, 0);

    Complex difference(3, 4);
    difference.Sub(difference);
    ExpectComplex(difference, 0, 0);

    Complex sum(3, 4);
    sum.Add(sum);
    ExpectComplex(sum, 6, 8);
}

TEST(Complex, DivisionAndItsZeroCases)
{
    Complex z(2, 0);
    z.Div(Complex(0, 2));
    ExpectComplex(z, 0, -1);

    Complex byZero(5, 7);
    byZero.Div(Complex(0, 0));
    ExpectComplex(byZero, 0, 0);

    Complex byRealZero(5, 7);
    byRealZero.DivReal(0);
    ExpectComplex(byRealZero, 5, 7);
    byRealZero.DivReal(2);
    ExpectComplex(byRealZero, 2.5, 3.5);
}

TEST(Complex, SquaredLength)
{
    EXPECT_EQ(Complex(3, 4).SqrAbs(), 25);
    EXPECT_EQ(Complex().SqrAbs(), 0);
}

} // namespace
