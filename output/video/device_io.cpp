#include "output/video/device_io.h"

#include "output/video/video_encoder.h"

extern "C" {
#include <libavformat/avio.h>
#include <libavutil/error.h>
#include <libavutil/mem.h>
}

namespace {

// FFmpeg's own buffer between the muxer and the device.
constexpr int kBufferSize = 1 << 16;

} // namespace

DeviceIo::DeviceIo(QIODevice& device) : device_(device)
{
    auto* buffer = static_cast<unsigned char*>(av_malloc(kBufferSize));
    if (buffer)
        context_ = avio_alloc_context(buffer, kBufferSize, 1, this, Read, Write, Seek);
    if (!context_) {
        av_free(buffer);
        throw VideoError("Failed to create the video stream: out of memory");
    }
}

DeviceIo::~DeviceIo()
{
    av_freep(&context_->buffer);
    avio_context_free(&context_);
}

void DeviceIo::Check(int result, const char* what) const
{
    if (result >= 0 && context_->error >= 0)
        return;
    std::string reason = failure_;
    if (reason.empty()) {
        char text[AV_ERROR_MAX_STRING_SIZE] = {};
        av_strerror(result < 0 ? result : context_->error, text, sizeof text);
        reason = text;
    }
    throw VideoError(std::string(what) + ": " + reason);
}

void DeviceIo::Flush()
{
    avio_flush(context_);
    Check(0, "Unable to write output file");
}

int DeviceIo::Read(void* opaque, unsigned char* buffer, int size)
{
    auto* self = static_cast<DeviceIo*>(opaque);
    const qint64 read = self->device_.read(reinterpret_cast<char*>(buffer), size);
    if (read < 0)
        return AVERROR(EIO);
    return read == 0 ? AVERROR_EOF : static_cast<int>(read);
}

int DeviceIo::Write(void* opaque, unsigned char* buffer, int size)
{
    auto* self = static_cast<DeviceIo*>(opaque);
    if (self->device_.write(reinterpret_cast<const char*>(buffer), size) == size)
        return size;
    if (self->failure_.empty())
        self->failure_ = self->device_.errorString().toStdString();
    return AVERROR(EIO);
}

std::int64_t DeviceIo::Seek(void* opaque, std::int64_t offset, int whence)
{
    auto* self = static_cast<DeviceIo*>(opaque);
    QIODevice& device = self->device_;
    switch (whence & ~AVSEEK_FORCE) {
    case AVSEEK_SIZE:
        return device.size();
    case SEEK_SET:
        break;
    case SEEK_CUR:
        offset += device.pos();
        break;
    case SEEK_END:
        offset += device.size();
        break;
    default:
        return AVERROR(EINVAL);
    }
    return device.seek(offset) ? offset : AVERROR(EIO);
}
