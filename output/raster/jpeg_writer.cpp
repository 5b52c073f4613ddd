#include "output/raster/jpeg_writer.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <vector>

#include <jpeglib.h>

namespace {

// libjpeg reports a failure through error_exit, which must not return; it
// jumps back into Compress, past libjpeg's C frames only.
struct ErrorManager {
    jpeg_error_mgr Base; // first, so the library's pointer is also ours
    std::jmp_buf Return;
    char Message[JMSG_LENGTH_MAX];
};

void ExitToCaller(j_common_ptr info)
{
    auto* errors = reinterpret_cast<ErrorManager*>(info->err);
    info->err->format_message(info, errors->Message);
    std::longjmp(errors->Return, 1);
}

struct RgbRows {
    int Width;
    int Height;
    const RgbRowSource& Source;
    unsigned char* Buffer; // one row of 3 * Width bytes
};

struct Output {
    unsigned char* Buffer = nullptr;
    unsigned long Size = 0;
    char Message[JMSG_LENGTH_MAX] = {};
};

// Holds nothing with a destructor, so the jump back skips none. The buffer
// in out is the caller's to free, whether or not compression succeeds.
bool Compress(const RgbRows& rows, int quality, Output& out)
{
    jpeg_compress_struct info;
    ErrorManager errors;
    info.err = jpeg_std_error(&errors.Base);
    errors.Base.error_exit = ExitToCaller;
    if (setjmp(errors.Return)) {
        std::memcpy(out.Message, errors.Message, sizeof out.Message);
        jpeg_destroy_compress(&info);
        return false;
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, &out.Buffer, &out.Size);
    info.image_width = static_cast<JDIMENSION>(rows.Width);
    info.image_height = static_cast<JDIMENSION>(rows.Height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    // A row source that throws (cancelled work, no memory for a band)
    // leaves nothing of the compression behind.
    try {
        while (info.next_scanline < info.image_height) {
            rows.Source(static_cast<int>(info.next_scanline), rows.Buffer);
            JSAMPROW row = rows.Buffer;
            jpeg_write_scanlines(&info, &row, 1);
        }
    } catch (...) {
        jpeg_destroy_compress(&info);
        std::free(out.Buffer);
        out.Buffer = nullptr;
        throw;
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return true;
}

} // namespace

QByteArray JpegFileBytes(int width, int height, int quality, const RgbRowSource& row)
{
    std::vector<unsigned char> buffer(static_cast<std::size_t>(width) * 3);
    Output out;
    const bool compressed = Compress({width, height, row, buffer.data()}, quality, out);
    const std::unique_ptr<unsigned char, decltype(&std::free)> bytes(out.Buffer, &std::free);
    if (!compressed)
        throw std::runtime_error(out.Message);
    return QByteArray(reinterpret_cast<const char*>(bytes.get()), static_cast<qsizetype>(out.Size));
}

QByteArray JpegFileBytes(const QImage& image, int quality)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    const auto row = [&rgb](int y, unsigned char* out) {
        std::memcpy(out, rgb.constScanLine(y), static_cast<std::size_t>(rgb.width()) * 3);
    };
    return JpegFileBytes(rgb.width(), rgb.height(), quality, row);
}
