#pragma once

#include "model/complex.h"
#include "view/big_float.h"
#include "view/pixel_rect.h"

// Bits every curve coordinate keeps below a pixel, so that pieces descended
// from it stay exact to the pixel after any number of levels.
constexpr mpfr_prec_t kGuardBits = 64;
// The scale and magnification need only their relative precision; their
// exponent carries the size.
constexpr mpfr_prec_t kScaleBits = 128;

// A move of a picture in its own pixels: pixel p goes to Scale p + Offset.
struct CameraMove {
    BigFloat Scale{1.0, kScaleBits};
    BigComplex Offset;
};

// Which curve point shows at which pixel: the point z of the generator's
// coordinates shows at pixel (z - Origin) Scale. Its precision grows with
// the scale, so that a point is exact to far below a pixel at any
// magnification.
struct EndlessCamera {
    BigComplex Origin;
    BigFloat Scale{0.0, kScaleBits};

    // The pixel of z, exactly rounded to doubles.
    Complex PixelOf(const BigComplex& z) const { return PreciseReach(z).ToComplex(); }
    // The same, in full: a far point's pixel outgrows any double.
    BigComplex PreciseReach(const BigComplex& z) const;
    // The curve point at a pixel, exact to far below the pixels of a camera
    // magnified by up to 2^extraBits.
    BigComplex PointAt(const BigComplex& pixel, mpfr_prec_t extraBits = 0) const;
    BigComplex PointAt(const Complex& pixel, mpfr_prec_t extraBits = 0) const
    {
        return PointAt(BigComplex(pixel, BigFloat::kMinBits), extraBits);
    }
    // The camera of the picture moved by move.
    void Move(const CameraMove& move);
};

// The bits a value around 2^exponent needs to stay exact to far below a
// pixel where one unit is scale pixels.
mpfr_prec_t PixelPrecision(const BigFloat& scale, long exponent);

// The window between two corners (the smaller first) fitted into rect with
// one uniform scale, filling it in one direction and centred in the other.
// Unlike a fit of pixels, no extent counts as larger than it is.
EndlessCamera FitCamera(const BigComplex& min, const BigComplex& max, const PixelRect& rect);

// The move of the pixels that takes the picture of from to that of to.
CameraMove MoveBetween(const EndlessCamera& from, const EndlessCamera& to);

// The steps of an animated zoom, as the polyline view's: each scales by
// q = s^(1/steps) about the pixel the whole zoom (scale s) leaves in place,
// or, without scaling, moves by a share of the whole. Each step puts the
// fixed pixel's curve point back onto it, rather than adding up offsets:
// after a magnification M an offset's rounding would have grown M-fold.
class CameraZoom {
public:
    // From one camera to another.
    static CameraZoom Between(const EndlessCamera& from, const EndlessCamera& to, int steps);
    // By a magnification about a curve point, which keeps its pixel.
    static CameraZoom About(const EndlessCamera& from, const BigComplex& point, const BigFloat& magnification,
                            int steps);
    void Step(EndlessCamera& camera) const;

private:
    BigFloat factor_{1.0, kScaleBits};
    bool scales_ = false;
    BigComplex fixedPixel_;
    BigComplex fixedPoint_;
    BigComplex shift_;
};
