#include "output/avi/wav_reader.h"

#include "model/bits_per_byte.h"
#include "model/regular_file.h"
#include "output/avi/avi_error.h"
#include "output/avi/riff_layout.h"

#include <QtEndian>

namespace {

constexpr qsizetype kPlainFormatSize = 16;
constexpr qsizetype kExtensibleFormatSize = 40;
// A format's extra bytes are counted in 16 bits.
constexpr std::int64_t kLargestFormatSize = 18 + 0xFFFF;
constexpr std::uint16_t kFormatPcm = 1;
constexpr std::uint16_t kFormatFloat = 3;
constexpr std::uint16_t kFormatExtensible = 0xFFFE;
constexpr int kSubFormatOffset = 24;
// The sub-format GUID of PCM and of IEEE float after its first two bytes
// (which hold the tag).
constexpr char kBaseGuidTail[] = "\x00\x00\x00\x00\x10\x00\x80\x00\x00\xAA\x00\x38\x9B\x71";
constexpr std::int64_t kOpenEndedSize = 0xFFFFFFFF;
const char* const kCorrupt = "The file could not be read, indicating a corrupt file or an unrecognized format.";
const char* const kReadError = "A disk error occurred while reading the audio file.";
const char* const kOpenError = "A disk error occurred while opening the audio file.";

[[noreturn]] void Refuse(const QString& reason)
{
    throw AviError(kCorrupt, {}, reason);
}

QByteArray ReadExactly(QIODevice& device, std::int64_t offset, qint64 size)
{
    QByteArray bytes;
    if (device.seek(offset))
        bytes = device.read(size);
    if (bytes.size() != size)
        throw AviError(kReadError, {}, device.errorString());
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

// The coding tag, or for an extensible format the tag inside its GUID;
// 0 when that GUID is not one of the common base.
std::uint16_t CodingOf(const QByteArray& format)
{
    const std::uint16_t tag = U16(format, 0);
    if (tag != kFormatExtensible)
        return tag;
    const QByteArray tail(kBaseGuidTail, sizeof kBaseGuidTail - 1);
    if (format.size() < kExtensibleFormatSize || format.mid(kSubFormatOffset + 2, tail.size()) != tail)
        return 0;
    return U16(format, kSubFormatOffset);
}

void TakeFormat(WavAudio& audio, const QByteArray& format)
{
    if (format.size() < kPlainFormatSize)
        Refuse(QStringLiteral("the sound format is cut short"));
    const std::uint16_t coding = CodingOf(format);
    const std::uint16_t channels = U16(format, 2);
    const std::uint32_t rate = U32(format, 4);
    const std::uint16_t blockAlign = U16(format, 12);
    const std::uint16_t bits = U16(format, 14);
    if (coding != kFormatPcm && coding != kFormatFloat)
        Refuse(QStringLiteral("neither PCM nor IEEE float sound"));
    if (channels == 0)
        Refuse(QStringLiteral("no sound channels"));
    if (rate == 0)
        Refuse(QStringLiteral("a sample rate of 0"));
    if (coding == kFormatFloat && bits != 32 && bits != 64)
        Refuse(QStringLiteral("floating-point samples of %1 bits").arg(bits));
    if (bits == 0 || blockAlign != channels * ((bits + kBitsPerByte - 1) / kBitsPerByte))
        Refuse(QStringLiteral("blocks of %1 bytes do not hold %2 channels of %3 bits").arg(blockAlign).arg(channels).arg(bits));
    // The clip's sound stream counts its rate in bytes per second, 32 bits.
    const std::uint64_t perSecond = std::uint64_t{rate} * blockAlign;
    if (perSecond > UINT32_MAX)
        Refuse(QStringLiteral("more sound per second than a clip can count"));
    audio.Format = format;
    audio.BlockAlign = blockAlign;
    audio.BytesPerSecond = static_cast<std::uint32_t>(perSecond);
}

} // namespace

WavAudio ReadWav(QIODevice& device)
{
    const std::int64_t end = device.size();
    if (end < kRiffHeaderSize)
        Refuse(QStringLiteral("not a RIFF WAVE file"));
    const QByteArray riff = ReadExactly(device, 0, kRiffHeaderSize);
    if (!riff.startsWith("RIFF") || riff.mid(8, 4) != "WAVE")
        Refuse(QStringLiteral("not a RIFF WAVE file"));
    WavAudio audio;
    bool haveData = false;
    std::int64_t pos = kRiffHeaderSize;
    while (pos + kChunkHeaderSize <= end && (audio.Format.isEmpty() || !haveData)) {
        const QByteArray header = ReadExactly(device, pos, kChunkHeaderSize);
        const std::int64_t body = pos + kChunkHeaderSize;
        std::int64_t size = U32(header, 4);
        if (header.startsWith("fmt ") && audio.Format.isEmpty()) {
            if (body + size > end || size > kLargestFormatSize)
                Refuse(QStringLiteral("the sound format is cut short"));
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
    if (audio.Format.isEmpty())
        Refuse(QStringLiteral("no sound format"));
    if (!haveData)
        Refuse(QStringLiteral("no sound data"));
    audio.DataSize -= audio.DataSize % audio.BlockAlign;
    return audio;
}

void OpenWavFile(QFile& file, const QString& path)
{
    QString reason;
    if (!OpenRegularFile(file, path, reason))
        throw AviError(kOpenError, path, reason);
}

WavAudio ReadWavFile(const QString& path)
{
    QFile file;
    OpenWavFile(file, path);
    try {
        return ReadWav(file);
    } catch (const AviError& e) {
        throw AviError(e.what(), path, e.Reason());
    }
}
