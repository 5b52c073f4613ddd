#include "output/avi/wav_reader.h"

#include "output/avi/avi_error.h"
#include "output/avi/riff_layout.h"

#include <QFile>
#include <QtEndian>

namespace {

constexpr qsizetype kPlainFormatSize = 16;
constexpr qsizetype kExtensibleFormatSize = 40;
// A format's extra bytes are counted in 16 bits.
constexpr std::int64_t kLargestFormatSize = 18 + 0xFFFF;
constexpr std::uint16_t kFormatPcm = 1;
constexpr std::uint16_t kFormatExtensible = 0xFFFE;
constexpr int kSubFormatOffset = 24;
// The PCM sub-format GUID after its first two bytes (which hold the tag).
constexpr char kPcmGuidTail[] = "\x00\x00\x00\x00\x10\x00\x80\x00\x00\xAA\x00\x38\x9B\x71";
constexpr std::int64_t kOpenEndedSize = 0xFFFFFFFF;

[[noreturn]] void Refuse()
{
    throw AviError("The file could not be read, indicating a corrupt file or an unrecognized format.");
}

QByteArray ReadExactly(QIODevice& device, std::int64_t offset, qint64 size)
{
    QByteArray bytes;
    if (device.seek(offset))
        bytes = device.read(size);
    if (bytes.size() != size)
        throw AviError("A disk error occurred while reading the audio file.");
    return bytes;
}

std::uint16_t U16(const QByteArray& bytes, int at)
{
    return qFromLittleEndian<quint16>(bytes.constData() + at);
}

std::uint32_t U32(const QByteArray& bytes, int at)
{
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}

bool IsPcm(const QByteArray& format)
{
    const std::uint16_t tag = U16(format, 0);
    if (tag == kFormatPcm)
        return true;
    return tag == kFormatExtensible && format.size() >= kExtensibleFormatSize
        && U16(format, kSubFormatOffset) == kFormatPcm
        && format.mid(kSubFormatOffset + 2, sizeof kPcmGuidTail - 1)
               == QByteArray(kPcmGuidTail, sizeof kPcmGuidTail - 1);
}

void TakeFormat(WavAudio& audio, const QByteArray& format)
{
    if (format.size() < kPlainFormatSize || !IsPcm(format))
        Refuse();
    audio.Format = format;
    audio.BytesPerSecond = U32(format, 8);
    audio.BlockAlign = U16(format, 12);
    if (audio.BlockAlign == 0 || audio.BytesPerSecond == 0)
        Refuse();
}

} // namespace

WavAudio ReadWav(QIODevice& device)
{
    const std::int64_t end = device.size();
    if (end < kRiffHeaderSize)
        Refuse();
    const QByteArray riff = ReadExactly(device, 0, kRiffHeaderSize);
    if (!riff.startsWith("RIFF") || riff.mid(8, 4) != "WAVE")
        Refuse();
    WavAudio audio;
    bool haveData = false;
    std::int64_t pos = kRiffHeaderSize;
    while (pos + kChunkHeaderSize <= end && (audio.Format.isEmpty() || !haveData)) {
        const QByteArray header = ReadExactly(device, pos, kChunkHeaderSize);
        const std::int64_t body = pos + kChunkHeaderSize;
        std::int64_t size = U32(header, 4);
        if (header.startsWith("fmt ") && audio.Format.isEmpty()) {
            if (body + size > end || size > kLargestFormatSize)
                Refuse();
            TakeFormat(audio, ReadExactly(device, body, size));
        } else if (header.startsWith("data") && !haveData) {
            if (size == kOpenEndedSize || body + size > end)
                size = end - body;
            audio.DataOffset = body;
            audio.DataSize = size;
            haveData = true;
        }
        pos = body + size + (size & 1);
    }
    if (audio.Format.isEmpty() || !haveData)
        Refuse();
    audio.DataSize -= audio.DataSize % audio.BlockAlign;
    return audio;
}

WavAudio ReadWavFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw AviError("A disk error occurred while opening the audio file.");
    return ReadWav(file);
}
