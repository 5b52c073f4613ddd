#pragma once

#include "session/clip_sink.h"

#include <QRgb>
#include <QSize>
#include <QString>

#include <memory>
#include <vector>

class FractalSession;

// What a recording asks of its clip.
struct ClipRequest {
    QString FileName;
    QSize Frame;
    int FrameTime = 0; // milliseconds
    QString WavFile;   // empty for none
    QRgb Background = qRgb(255, 255, 255);
    QRgb Foreground = qRgb(0, 0, 0);
    // A coloured curve's colours; none for the foreground alone.
    std::vector<QRgb> CurveColors;

    // The background, the foreground and the curve's colours the session
    // draws its frames in.
    void TakeColorsOf(const FractalSession& session);
};

// The clip the file name's extension asks for (.avi, .mp4, .webm, .gif),
// open for frames, once the target's folder and the sound have passed the
// checks of clip_target. Throws ClipError with the writer's message, the
// file and the reason when it cannot be opened.
std::unique_ptr<ClipSink> OpenClip(const ClipRequest& request);
