#pragma once

#include <QIODevice>

#include <cstdint>
#include <string>

struct AVIOContext;

// FFmpeg's output through a random-access QIODevice: the muxer writes,
// seeks back to patch its headers, and reads what it wrote when it moves
// an index to the front. A device that refuses a write keeps its reason
// for the message.
class DeviceIo {
public:
    explicit DeviceIo(QIODevice& device);
    ~DeviceIo();
    DeviceIo(const DeviceIo&) = delete;
    DeviceIo& operator=(const DeviceIo&) = delete;

    AVIOContext* Context() const { return context_; }
    // Throws VideoError with what and the device's reason, or FFmpeg's,
    // when result is an error.
    void Check(int result, const char* what) const;
    // Hands what is buffered to the device; throws as Check.
    void Flush();

private:
    static int Read(void* opaque, unsigned char* buffer, int size);
    static int Write(void* opaque, unsigned char* buffer, int size);
    static std::int64_t Seek(void* opaque, std::int64_t offset, int whence);

    QIODevice& device_;
    AVIOContext* context_ = nullptr;
    std::string failure_;
};
