#include "output/clip/avi_clip.h"

AviClip::AviClip(const QString& fileName, QSize frame, int frameTime, const QString& wavFile)
{
    writer_.Width = frame.width();
    writer_.Height = frame.height();
    writer_.FrameTime = frameTime;
    writer_.Stretch = true;
    writer_.PixelFormat = pf1bit;
    writer_.FileName = fileName;
    writer_.SetWavFileName(wavFile);
    writer_.OpenVideo();
}

AviClip::~AviClip()
{
    writer_.CloseVideo();
}

void AviClip::AddFrame(const QImage& frame)
{
    writer_.AddFrame(frame);
}

void AviClip::Finish(const FinishWaiting&)
{
    writer_.FinishVideo();
}
