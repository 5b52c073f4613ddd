#pragma once

#include "view/big_float.h"

class LimitCurve;

// The point of the limit curve nearest p, exact to far below a pixel of the
// full view magnified by magnification. A point typed in decimals rarely
// lies on the curve, whose ends and nodes are where the generator's doubles
// put them; a zoom about it would lose the curve once the miss outgrows a
// pixel.
BigComplex NearestCurvePoint(const LimitCurve& curve, const BigComplex& p, const BigFloat& magnification);
