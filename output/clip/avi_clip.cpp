#include "output/clip/avi_clip.h"

namespace {

// The writer's failure as every clip format reports it.
template <class Step>
void Translated(Step step)
{
    try {
        step();
    } catch (const AviError& e) {
        throw ClipError({QString::fromStdString(e.what()), e.File(), e.Reason()});
    }
}

} // namespace

AviClip::AviClip(const QString& fileName, QSize frame, int frameTime, const QString& wavFile, bool colored)
{
    writer_.Width = frame.width();
    writer_.Height = frame.height();
    writer_.FrameTime = frameTime;
    writer_.Stretch = true;
    writer_.PixelFormat = colored ? pf24bit : pf1bit;
    writer_.FileName = fileName;
    Translated([&] { writer_.SetWavFileName(wavFile); });
    try {
        writer_.OpenVideo();
    } catch (const AviError& e) {
        // The work file is the only file opening names.
        const ClipFailure failure{QString::fromStdString(e.what()), e.File(), e.Reason()};
        if (!failure.File.isEmpty())
            throw ClipWriteError(failure);
        throw ClipError(failure);
    }
}

AviClip::~AviClip()
{
    writer_.CloseVideo();
}

void AviClip::AddFrame(const QImage& frame)
{
    Translated([&] { writer_.AddFrame(frame); });
}

void AviClip::Finish(WorkProgress& progress)
{
    Translated([&] { writer_.FinishVideo(progress); });
}
