#pragma once

#include <QIODevice>

#include <cstdint>
#include <memory>
#include <string>

struct AVDictionary;
struct AVFormatContext;
struct AVIOContext;

// FFmpeg's output through a random-access QIODevice: the muxer writes,
// seeks back to patch its headers, and reads what it wrote when it moves
// an index to the front. A device that refuses a write keeps its reason
// for the message.
class DeviceIo {
public:
    explicit DeviceIo(QIODevice& device, bool writing = true);
    ~DeviceIo();
    DeviceIo(const DeviceIo&) = delete;
    DeviceIo& operator=(const DeviceIo&) = delete;

    AVIOContext* Context() const { return context_; }
    // Throws VideoError with what and the device's reason, or FFmpeg's,
    // when result is an error.
    void Check(int result, const char* what) const;
    // Hands what is buffered to the device; throws as Check.
    void Flush();
    // Lets the muxer open the device a second time for reading, as MP4's
    // muxer does to move its index in front of the frames; a failed read
    // there ends that move early and quietly, so Check reports it.
    void ServeReadsOf(AVFormatContext& format);

private:
    static int OpenReader(AVFormatContext* format, AVIOContext** context, const char* url, int flags,
                          AVDictionary** options);
    static int CloseReader(AVFormatContext* format, AVIOContext* context);
    // Moves the device to this context's place when the other one moved it.
    bool AtOwnPosition();
    // Keeps the device's first reason for a refusal.
    void Fail();
    static int Read(void* opaque, unsigned char* buffer, int size);
    static int Write(void* opaque, unsigned char* buffer, int size);
    static std::int64_t Seek(void* opaque, std::int64_t offset, int whence);

    QIODevice& device_;
    // Writer and reader share the device, each at its own place in it,
    // which FFmpeg takes to start at the beginning.
    qint64 position_ = 0;
    AVIOContext* context_ = nullptr;
    std::string failure_;
    std::unique_ptr<DeviceIo> reader_;
    int readFailure_ = 0;
};
