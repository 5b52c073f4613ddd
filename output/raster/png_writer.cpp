#include "output/raster/png_writer.h"

#include "model/bits_per_byte.h"

#include <QList>

#include <algorithm>
#include <csetjmp>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include <png.h>

namespace {

// A palette holds at most this many entries.
constexpr qsizetype kPaletteSize = 256;
constexpr int kRgbBytes = 3;

// The picture's colours in the order they first appear, or none when it
// has more than a palette holds.
QList<QRgb> Palette(int width, int height, const RowSource& row)
{
    QList<QRgb> colours;
    for (int y = 0; y < height; ++y) {
        const QRgb* pixels = row(y);
        for (int x = 0; x < width; ++x) {
            const QRgb colour = pixels[x] | 0xFF000000u;
            if (colours.isEmpty() || colours.constLast() != colour) {
                if (!colours.contains(colour))
                    colours.append(colour);
                if (colours.size() > kPaletteSize)
                    return {};
            }
        }
    }
    return colours;
}

int BitDepthFor(qsizetype colours)
{
    if (colours <= 2)
        return 1;
    if (colours <= 4)
        return 2;
    return colours <= 16 ? 4 : 8;
}

struct Output {
    QByteArray Bytes;
    std::string Message;
};

// libpng calls these from its own C frames: nothing may be thrown through
// them, so a failure jumps back into Compress instead.
void Append(png_structp png, png_bytep data, png_size_t size)
{
    auto* out = static_cast<Output*>(png_get_io_ptr(png));
    try {
        out->Bytes.append(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    } catch (const std::bad_alloc&) {
        png_error(png, "out of memory");
    }
}

void Flush(png_structp) {}

void Fail(png_structp png, png_const_charp message)
{
    static_cast<Output*>(png_get_error_ptr(png))->Message = message;
    png_longjmp(png, 1);
}

void Warn(png_structp, png_const_charp) {}

// One row packed as the header says: palette indices of bitDepth bits, or
// red, green, blue bytes.
void PackRow(const QRgb* pixels, int width, const QList<QRgb>& palette, int bitDepth, std::vector<png_byte>& out)
{
    if (palette.isEmpty()) {
        for (int x = 0; x < width; ++x) {
            out[static_cast<std::size_t>(x) * kRgbBytes] = static_cast<png_byte>(qRed(pixels[x]));
            out[static_cast<std::size_t>(x) * kRgbBytes + 1] = static_cast<png_byte>(qGreen(pixels[x]));
            out[static_cast<std::size_t>(x) * kRgbBytes + 2] = static_cast<png_byte>(qBlue(pixels[x]));
        }
        return;
    }
    std::fill(out.begin(), out.end(), png_byte{0});
    const int perByte = 8 / bitDepth;
    QRgb last = ~(pixels[0] | 0xFF000000u);
    int index = 0;
    for (int x = 0; x < width; ++x) {
        const QRgb colour = pixels[x] | 0xFF000000u;
        if (colour != last) {
            last = colour;
            index = static_cast<int>(palette.indexOf(colour));
        }
        out[static_cast<std::size_t>(x / perByte)] |=
            static_cast<png_byte>(index << (8 - bitDepth * (x % perByte + 1)));
    }
}

void WriteHeader(png_structp png, png_infop info, int width, int height, const QList<QRgb>& palette, int bitDepth)
{
    if (palette.isEmpty()) {
        png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                     PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    } else {
        std::vector<png_color> entries;
        for (const QRgb colour : palette)
            entries.push_back({static_cast<png_byte>(qRed(colour)), static_cast<png_byte>(qGreen(colour)),
                               static_cast<png_byte>(qBlue(colour))});
        png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), bitDepth,
                     PNG_COLOR_TYPE_PALETTE, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                     PNG_FILTER_TYPE_DEFAULT);
        png_set_PLTE(png, info, entries.data(), static_cast<int>(entries.size()));
    }
    png_write_info(png, info);
}

// Holds nothing with a destructor across the jump; packed and the output
// are the caller's.
bool Compress(int width, int height, const RowSource& row, const QList<QRgb>& palette,
              std::vector<png_byte>& packed, Output& out)
{
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &out, Fail, Warn);
    if (!png)
        return false;
    png_infop info = png_create_info_struct(png);
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    const int bitDepth = palette.isEmpty() ? 8 : BitDepthFor(palette.size());
    png_set_write_fn(png, &out, Append, Flush);
    WriteHeader(png, info, width, height, palette, bitDepth);
    try {
        for (int y = 0; y < height; ++y) {
            PackRow(row(y), width, palette, bitDepth, packed);
            png_write_row(png, packed.data());
        }
    } catch (...) {
        png_destroy_write_struct(&png, &info);
        throw;
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return true;
}

} // namespace

QByteArray PngFileBytes(int width, int height, const RowSource& row)
{
    const QList<QRgb> palette = Palette(width, height, row);
    const std::size_t rowBits = static_cast<std::size_t>(width) * (palette.isEmpty() ? kBitsPerByte * kRgbBytes
                                                                                     : BitDepthFor(palette.size()));
    std::vector<png_byte> packed((rowBits + kBitsPerByte - 1) / kBitsPerByte);
    Output out;
    if (!Compress(width, height, row, palette, packed, out))
        throw std::runtime_error(out.Message.empty() ? "PNG compression failed" : out.Message);
    return out.Bytes;
}
