#pragma once

#include "output/avi/avi_error.h"
#include "output/avi/clip_writer.h"
#include "output/avi/pixel_format.h"

#include <QImage>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>

class FrameCanvas;
class FramePacker;
class WorkFile;

// Turns a sequence of pictures into an uncompressed AVI clip, optionally with
// the sound of a WAV file. Frames collect in a work file of the recording's
// own from OpenVideo on; FinishVideo writes the clip to FileName, CloseVideo
// ends the recording. Every failure is an AviError with the English message
// for the user, the file it concerns and the reason.
class TAviWriter2 {
public:
    TAviWriter2();
    ~TAviWriter2();
    TAviWriter2(const TAviWriter2&) = delete;
    TAviWriter2& operator=(const TAviWriter2&) = delete;

    std::int32_t Height;    // frame size in pixels, fixed at the first frame
    std::int32_t Width;
    std::int32_t FrameTime; // milliseconds per frame
    bool Stretch;           // scale each picture to the frame, or draw it unscaled at the top left
    QString FileName;       // the clip FinishVideo writes
    TPixelFormat PixelFormat;

    // An empty name switches the sound off; any other must end in ".wav".
    const QString& WavFileName() const { return wavFileName_; }
    void SetWavFileName(const QString& name);

    void OpenVideo();
    // A picture in QImage::Format_RGB32, or in Format_Mono at the frame's
    // size (a two-colour frame drawn straight into its bits).
    void AddFrame(const QImage& frame);
    // Writes the clip as a whole or not at all: an older file of that name
    // stays until the new one is complete, also when the progress cancels
    // the writing (WorkCancelled).
    void FinishVideo(WorkProgress& progress = WorkProgress::Unwatched());
    // Never fails.
    void CloseVideo();

    std::int32_t FrameIndex() const { return frameIndex_; }
    // The open recording's work file; empty while none is open.
    QString WorkFileName() const;

private:
    void StartStream();
    void WriteClip(const ClipSound* sound, WorkProgress& progress);

    QString wavFileName_;
    QStringList workFolders_;
    std::int32_t frameIndex_ = 0;
    std::unique_ptr<WorkFile> workFile_;
    std::unique_ptr<FrameCanvas> canvas_;
    std::unique_ptr<FramePacker> packer_;
    QByteArray format_;
    QSize frameSize_;
    int bits_ = 0;
    std::int32_t frameTime_ = 0;
    std::int64_t frameBytes_ = 0;
};
