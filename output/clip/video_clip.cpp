#include "output/clip/video_clip.h"

#include "model/atomic_file.h"
#include "output/avi/work_folder.h"

#include <unistd.h>

namespace {

// The clip is copied into place a piece at a time.
constexpr qint64 kCopyPiece = 1 << 20;

void CopyInto(QFile& from, QIODevice& to)
{
    if (!from.seek(0))
        throw FileWriteError(from.errorString().toStdString());
    QByteArray piece;
    while (!(piece = from.read(kCopyPiece)).isEmpty())
        WriteAll(to, piece.constData(), piece.size());
    if (from.error() != QFileDevice::NoError)
        throw FileWriteError(from.errorString().toStdString());
}

} // namespace

VideoClip::VideoClip(const QString& fileName, const VideoSettings& settings)
    : fileName_(fileName), work_(WorkFolderPath() + QStringLiteral("/clip-XXXXXX.part"))
{
    const int folder = OpenWorkFolder(WorkFolderPath());
    if (folder < 0 || !work_.open()) {
        if (folder >= 0)
            ::close(folder);
        throw VideoError("Failed to create video work file");
    }
    ::close(folder);
    encoder_ = std::make_unique<VideoEncoder>(work_, settings);
    worker_ = std::make_unique<EncodingWorker>([this](const QImage& picture) { encoder_->AddFrame(picture); });
}

// The worker goes first: it may be encoding right now.
VideoClip::~VideoClip()
{
    worker_.reset();
}

void VideoClip::AddFrame(const QImage& frame)
{
    worker_->Push(frame);
}

void VideoClip::Finish(const FinishWaiting& waiting)
{
    worker_->Drain(waiting);
    encoder_->Finish();
    try {
        ReplaceFile(fileName_, [this](QIODevice& out) { CopyInto(work_, out); });
    } catch (const FileWriteError& e) {
        throw VideoError(std::string("Unable to write output file: ") + e.what());
    }
}
