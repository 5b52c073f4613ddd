#include "tests/support/clip_reader.h"

#include "output/avi/avi_writer.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QTemporaryDir>
#include <QtEndian>

std::uint32_t U32At(const QByteArray& bytes, qsizetype at)
{
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}

std::uint16_t U16At(const QByteArray& bytes, qsizetype at)
{
    return qFromLittleEndian<quint16>(bytes.constData() + at);
}

QByteArray FirstChunk(const QByteArray& file, const char* id)
{
    const qsizetype at = file.indexOf(id);
    if (at < 0)
        return {};
    return file.mid(at + 8, U32At(file, at + 4));
}

int CountOf(const QByteArray& file, const char* id)
{
    return static_cast<int>(file.count(id));
}

QMap<QString, QString> Probe(const QString& path, const QString& stream)
{
    QStringList arguments{"-v", "error", "-count_frames", "-show_entries",
                          "stream=codec_name,codec_type,width,height,r_frame_rate,nb_read_frames,pix_fmt,"
                          "duration,sample_rate,channels",
                          "-of", "default=noprint_wrappers=1"};
    if (!stream.isEmpty())
        arguments << "-select_streams" << stream;
    arguments << path;
    QMap<QString, QString> values;
    for (const QByteArray& line : RunTool("ffprobe", arguments).Output.split('\n')) {
        const qsizetype eq = line.indexOf('=');
        if (eq > 0)
            values.insert(QString::fromUtf8(line.left(eq)), QString::fromUtf8(line.mid(eq + 1)));
    }
    return values;
}

int StreamCount(const QString& path)
{
    const ToolResult result = RunTool(
        "ffprobe", {"-v", "error", "-show_entries", "stream=index", "-of", "csv=p=0", path});
    return result.Output.isEmpty() ? 0 : static_cast<int>(result.Output.split('\n').size());
}

double SoundSeconds(const QString& path)
{
    constexpr int kSampleBytes = 2; // mono, 16 bits
    const int rate = Probe(path, "a:0")["sample_rate"].toInt();
    QTemporaryDir dir;
    const QString raw = dir.filePath("sound.raw");
    RunTool("ffmpeg", {"-v", "error", "-i", path, "-map", "0:a", "-ac", "1", "-f", "s16le", raw});
    return rate > 0 ? double(QFileInfo(raw).size()) / kSampleBytes / rate : 0;
}

QList<QImage> DecodeFrames(const QString& path)
{
    QTemporaryDir dir;
    // Every frame as it was stored: a GIF's uneven delays are not made even.
    RunTool("ffmpeg", {"-v", "error", "-i", path, "-fps_mode", "passthrough", dir.filePath("f%05d.png")});
    QList<QImage> frames;
    const QStringList names = QDir(dir.path()).entryList({"f*.png"}, QDir::Files, QDir::Name);
    for (const QString& name : names)
        frames.append(QImage(dir.filePath(name)).convertToFormat(QImage::Format_RGB32));
    return frames;
}

QImage TwoColourPicture(int width, int height, int n, QRgb background, QRgb curve)
{
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(background);
    QPainter painter(&picture);
    painter.setPen(QColor(curve));
    painter.drawLine(0, n % height, width - 1, height - 1 - n % height);
    painter.drawLine(n % width, 0, n % width, height - 1);
    return picture;
}

void Record(TAviWriter2& writer, const QList<QImage>& pictures, const QString& path)
{
    writer.FileName = path;
    writer.OpenVideo();
    for (const QImage& picture : pictures)
        writer.AddFrame(picture);
    writer.FinishVideo();
    writer.CloseVideo();
}

bool SamePixels(const QImage& a, const QImage& b)
{
    if (a.size() != b.size())
        return false;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if ((a.pixel(x, y) | 0xFF000000) != (b.pixel(x, y) | 0xFF000000))
                return false;
    return true;
}
