#pragma once

#include "tests/support/tool_runner.h"

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QMap>
#include <QString>

#include <cstdint>
#include <ostream>

class TAviWriter2;

// Readable failure messages.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

// Little-endian numbers at a byte position of a file's bytes.
std::uint32_t U32At(const QByteArray& bytes, qsizetype at);
std::uint16_t U16At(const QByteArray& bytes, qsizetype at);
// The data of the first chunk with this code, empty when there is none.
QByteArray FirstChunk(const QByteArray& file, const char* id);
// How often a chunk or list type code occurs.
int CountOf(const QByteArray& file, const char* id);

// ffprobe's key=value lines about the streams (all of them, or one selected
// like "v:0"), frames counted by decoding.
QMap<QString, QString> Probe(const QString& path, const QString& stream);
// Number of streams ffprobe finds.
int StreamCount(const QString& path);
// Seconds of sound ffmpeg decodes from the first sound stream of a clip.
double SoundSeconds(const QString& path);
// The frames ffmpeg decodes from a clip, as RGB32 pictures.
QList<QImage> DecodeFrames(const QString& path);

// A two-colour picture: background, and a curve of another colour that
// moves with n.
QImage TwoColourPicture(int width, int height, int n, QRgb background = qRgb(255, 255, 255),
                        QRgb curve = qRgb(0, 0, 0));
// Opens, adds the pictures, finishes into path and closes.
void Record(TAviWriter2& writer, const QList<QImage>& pictures, const QString& path);
// The same pixels, compared as opaque RGB.
bool SamePixels(const QImage& a, const QImage& b);
