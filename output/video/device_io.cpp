#include "output/video/device_io.h"

#include "output/video/video_encoder.h"

extern "C" {
#include <libavformat/avformat.h>
#include <libavutil/error.h>
#include <libavutil/mem.h>
}

namespace {

// FFmpeg's own buffer between the muxer and the device.
constexpr int kBufferSize = 1 << 16;

} // namespace

DeviceIo::DeviceIo(QIODevice& device, bool writing) : device_(device)
{
    auto* buffer = static_cast<unsigned char*>(av_malloc(kBufferSize));
    if (buffer)
        context_ = avio_alloc_context(buffer, kBufferSize, writing ? 1 : 0, this, Read, Write, Seek);
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
    if (result >= 0 && context_->error >= 0 && readFailure_ >= 0)
        return;
    std::string reason = failure_;
    if (reason.empty()) {
        char text[AV_ERROR_MAX_STRING_SIZE] = {};
        const int error = result < 0 ? result : context_->error < 0 ? context_->error : readFailure_;
        av_strerror(error, text, sizeof text);
        reason = text;
    }
    throw VideoError(std::string(what) + ": " + reason);
}

void DeviceIo::Flush()
{
    avio_flush(context_);
    Check(0, "Unable to write output file");
}

void DeviceIo::ServeReadsOf(AVFormatContext& format)
{
    format.io_open = OpenReader;
    format.io_close2 = CloseReader;
}

// The format's own output is the writer, whatever name the muxer asks for.
int DeviceIo::OpenReader(AVFormatContext* format, AVIOContext** context, const char*, int flags, AVDictionary**)
{
    auto* self = static_cast<DeviceIo*>(format->pb->opaque);
    if ((flags & AVIO_FLAG_WRITE) || self->reader_)
        return AVERROR(EINVAL);
    try {
        self->reader_ = std::make_unique<DeviceIo>(self->device_, false);
    } catch (const VideoError&) {
        return AVERROR(ENOMEM);
    }
    *context = self->reader_->context_;
    return 0;
}

int DeviceIo::CloseReader(AVFormatContext* format, AVIOContext*)
{
    auto* self = static_cast<DeviceIo*>(format->pb->opaque);
    if (self->reader_->context_->error < 0 && self->readFailure_ == 0) {
        self->readFailure_ = self->reader_->context_->error;
        if (self->failure_.empty())
            self->failure_ = self->reader_->failure_;
    }
    self->reader_.reset();
    return 0;
}

void DeviceIo::Fail()
{
    if (failure_.empty())
        failure_ = device_.errorString().toStdString();
}

bool DeviceIo::AtOwnPosition()
{
    return device_.pos() == position_ || device_.seek(position_);
}

int DeviceIo::Read(void* opaque, unsigned char* buffer, int size)
{
    auto* self = static_cast<DeviceIo*>(opaque);
    const qint64 read = self->AtOwnPosition() ? self->device_.read(reinterpret_cast<char*>(buffer), size) : -1;
    if (read < 0) {
        self->Fail();
        return AVERROR(EIO);
    }
    self->position_ += read;
    return read == 0 ? AVERROR_EOF : static_cast<int>(read);
}

int DeviceIo::Write(void* opaque, unsigned char* buffer, int size)
{
    auto* self = static_cast<DeviceIo*>(opaque);
    if (self->AtOwnPosition() && self->device_.write(reinterpret_cast<const char*>(buffer), size) == size) {
        self->position_ += size;
        return size;
    }
    self->Fail();
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
        offset += self->position_;
        break;
    case SEEK_END:
        offset += device.size();
        break;
    default:
        return AVERROR(EINVAL);
    }
    if (!device.seek(offset))
        return AVERROR(EIO);
    self->position_ = offset;
    return offset;
}
