#pragma once

#include "output/avi/avi_writer.h"
#include "session/clip_sink.h"

#include <QSize>
#include <QString>

// A recording into an uncompressed AVI clip of two colours, or of 24-bit
// frames for a coloured curve, each frame stretched to the clip's size. The frames collect in the writer's work
// file from the start; Finish writes the clip, and the work file goes with
// the object. Failures are ClipError with the writer's message.
class AviClip : public ClipSink {
public:
    // frameTime in milliseconds; an empty wavFile records no sound.
    AviClip(const QString& fileName, QSize frame, int frameTime, const QString& wavFile = {}, bool colored = false);
    ~AviClip() override;

    void AddFrame(const QImage& frame) override;
    void Finish(WorkProgress& progress) override;

    const TAviWriter2& Writer() const { return writer_; }

private:
    TAviWriter2 writer_;
};
