#pragma once

#include <QByteArray>
#include <QFile>
#include <QIODevice>
#include <QString>

#include <cstdint>

// Where the sound of a WAV file is and how it is coded.
struct WavAudio {
    QByteArray Format;             // the "fmt " chunk as it stands
    std::uint16_t BlockAlign = 0;  // bytes of one sample of all channels
    std::uint32_t BytesPerSecond = 0;
    std::int64_t DataOffset = 0;   // of the first sample in the file
    std::int64_t DataSize = 0;     // whole blocks, within the file
};

// Reads a RIFF WAVE file of integer or IEEE floating-point PCM sound (plain
// or extensible) from a random-access device: chunks in any order, unknown
// ones skipped, and a data size that runs past the end (0xFFFFFFFF of a
// streaming writer) cut to the file. Sound no clip can hold (no channels, a
// rate of 0, blocks that do not fit the channels and the sample width) is
// refused like a corrupt file. Throws AviError with the message for a
// corrupt or unknown file, or for a device that fails to read, and the
// reason.
WavAudio ReadWav(QIODevice& device);

// Opens a WAV file by name, a regular file only (a FIFO or a device would
// block or never end), for ReadWav and for copying its sound. Throws
// AviError with the file and the system's reason when it cannot be opened.
void OpenWavFile(QFile& file, const QString& path);

// OpenWavFile, then ReadWav; the AviError names the file.
WavAudio ReadWavFile(const QString& path);
