// The WAV reader on any bytes: it either reads an audio stream whose
// numbers fit the file and a clip can hold, or refuses with its own
// message; it never crashes.
#include "output/avi/avi_error.h"
#include "output/avi/wav_reader.h"

#include <QBuffer>
#include <QByteArray>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QBuffer device(&bytes);
    device.open(QIODevice::ReadOnly);
    try {
        const WavAudio audio = ReadWav(device);
        if (audio.BlockAlign == 0 || audio.BytesPerSecond == 0 || audio.DataOffset + audio.DataSize > bytes.size())
            std::abort();
    } catch (const AviError&) {
    }
    return 0;
}
