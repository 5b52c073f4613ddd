#pragma once

#include <QByteArray>
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

// Reads a RIFF WAVE file of PCM or extensible PCM sound from a random-access
// device: chunks in any order, unknown ones skipped, and a data size that
// runs past the end (0xFFFFFFFF of a streaming writer) cut to the file.
// Throws AviError with the message for a corrupt or unknown file, or for a
// device that fails to read.
WavAudio ReadWav(QIODevice& device);

// The same for a file by name; a file that cannot be opened has a message
// of its own.
WavAudio ReadWavFile(const QString& path);
