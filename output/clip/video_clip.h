#pragma once

#include "output/video/encoding_worker.h"
#include "output/video/video_encoder.h"
#include "output/work/work_file.h"
#include "session/clip_sink.h"

#include <QFile>
#include <QString>

#include <memory>

// A recording into an MP4, WebM or GIF clip in the pane's colours. The
// frames are encoded on a thread of their own into the recording's work
// file; Finish completes it and puts the clip in place whole, so the file
// appears only then and an older one stays until it does. Failures are
// ClipError.
class VideoClip : public ClipSink {
public:
    VideoClip(const QString& fileName, const VideoSettings& settings);
    ~VideoClip() override;

    void AddFrame(const QImage& frame) override;
    void Finish(WorkProgress& progress) override;
    bool TakesShades() const override { return true; }

private:
    QString fileName_;
    WorkFile work_;
    QFile workDevice_;
    std::unique_ptr<VideoEncoder> encoder_;
    std::unique_ptr<EncodingWorker> worker_;
};
