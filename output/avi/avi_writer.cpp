#include "output/avi/avi_writer.h"

#include "output/avi/clip_writer.h"
#include "output/avi/frame_canvas.h"
#include "output/avi/frame_format.h"
#include "output/avi/frame_packer.h"
#include "output/avi/wav_reader.h"
#include "output/work/work_file.h"
#include "output/work/work_folder.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QSaveFile>
#include <QScreen>

namespace {

// The screen assumed where no screen is known.
constexpr QSize kFallbackScreen(1024, 768);
constexpr int kScreenDivisor = 10;
constexpr std::int32_t kDefaultFrameTime = 1000;
// The platform's code for a failed file write, as the message shows it.
constexpr unsigned kFileWriteError = 0x8004406E;
// The frame counts of a clip's headers and indexes are 32 bits wide.
constexpr std::int64_t kLargestFrame = 0xFFFFFFFF;

QSize ScreenSize()
{
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) && QGuiApplication::primaryScreen())
        return QGuiApplication::primaryScreen()->size();
    return kFallbackScreen;
}

} // namespace

TAviWriter2::TAviWriter2()
    : Height(ScreenSize().height() / kScreenDivisor)
    , Width(ScreenSize().width() / kScreenDivisor)
    , FrameTime(kDefaultFrameTime)
    , Stretch(true)
    , PixelFormat(pfDevice)
    , workFolders_(WorkFolderPaths())
    , canvas_(std::make_unique<FrameCanvas>())
{
}

TAviWriter2::~TAviWriter2()
{
    CloseVideo();
}

void TAviWriter2::SetWavFileName(const QString& name)
{
    if (name.compare(wavFileName_, Qt::CaseInsensitive) == 0)
        return;
    if (!name.isEmpty() && QFileInfo(name).suffix().toLower() != QStringLiteral("wav"))
        throw AviError("WavFileName must name a file with the .wav extension", name);
    wavFileName_ = name;
}

QString TAviWriter2::WorkFileName() const
{
    return workFile_ ? workFile_->Path() : QString();
}

void TAviWriter2::OpenVideo()
{
    if (workFile_)
        throw AviError("Failed to create AVI video work file", workFile_->Path(), QStringLiteral("a recording is open"));
    auto file = std::make_unique<WorkFile>(workFolders_);
    if (!file->Open())
        throw AviError("Failed to create AVI video work file", file->Path(), file->Reason());
    workFile_ = std::move(file);
    if (FrameTime <= 0)
        throw AviError("Failed to create AVI video stream", {},
                       QStringLiteral("a frame time of %1 ms").arg(FrameTime));
    frameTime_ = FrameTime;
}

// The stream's frame size and depth are fixed by its first frame.
void TAviWriter2::StartStream()
{
    bits_ = BitCount(PixelFormat);
    if (Width <= 0 || Height <= 0 || RowBytes(Width, bits_) * Height > kLargestFrame)
        throw AviError("Invalid bitmap", {}, QStringLiteral("a frame of %1 x %2 pixels").arg(Width).arg(Height));
    frameSize_ = QSize(Width, Height);
    frameBytes_ = RowBytes(Width, bits_) * Height;
}

void TAviWriter2::AddFrame(const QImage& frame)
{
    if (frameIndex_ == 0)
        StartStream();
    const QImage& picture = canvas_->Compose(frame, frameSize_, Stretch);
    if (frameIndex_ == 0) {
        packer_ = std::make_unique<FramePacker>(picture, bits_);
        format_ = FrameHeader(Width, Height, bits_, packer_->Colours());
    }
    const QByteArray& rows = packer_->Pack(picture);
    if (!workFile_ || !workFile_->Write(frameIndex_ * frameBytes_, rows))
        throw AviError("Failed to add frame to AVI. Err="
                           + QString::number(kFileWriteError, 16).rightJustified(8, QLatin1Char('0')).toUpper().toStdString(),
                       workFile_ ? workFile_->Path() : QString(),
                       workFile_ ? workFile_->Reason() : QStringLiteral("no recording is open"));
    ++frameIndex_;
}

void TAviWriter2::FinishVideo(WorkProgress& progress)
{
    if (!workFile_)
        throw AviError("Could not create Video Stream", {}, QStringLiteral("no recording is open"));
    std::unique_ptr<ClipSound> sound;
    if (!wavFileName_.isEmpty())
        sound = std::make_unique<ClipSound>(ClipSound{ReadWavFile(wavFileName_), wavFileName_});
    try {
        WriteClip(sound.get(), progress);
    } catch (const AviError& e) {
        if (!e.File().isEmpty())
            throw;
        throw AviError(e.what(), FileName, e.Reason());
    }
}

// A failure that names no file of its own concerns the clip.
void TAviWriter2::WriteClip(const ClipSound* sound, WorkProgress& progress)
{
    ClipVideo video;
    WorkFile& frames = *workFile_;
    const std::int64_t frameBytes = frameBytes_;
    video.Frames = [&frames, frameBytes](std::int32_t index, char* data, QString& reason) {
        if (frames.Read(index * frameBytes, data, frameBytes))
            return true;
        reason = QStringLiteral("the work file %1: %2").arg(frames.Path(), frames.Reason());
        return false;
    };
    video.Format = format_;
    video.Width = frameSize_.width();
    video.Height = frameSize_.height();
    video.FrameTime = frameTime_;
    video.FrameCount = frameIndex_;
    video.FrameSize = static_cast<std::uint32_t>(frameBytes_);
    QSaveFile out(FileName);
    if (!out.open(QIODevice::WriteOnly))
        throw AviError("Unable to write output file", {}, out.errorString());
    ClipWriter(out, std::move(video), sound).Write(progress);
    ThrowIfCancelled(progress);
    if (!out.commit())
        throw AviError("Unable to write output file", {}, out.errorString());
}

void TAviWriter2::CloseVideo()
{
    workFile_.reset();
    packer_.reset();
    frameIndex_ = 0;
}
