#include "output/clip/video_clip.h"

#include "model/atomic_file.h"
#include "output/work/work_folder.h"

#include <algorithm>

namespace {

// The clip is copied into place a piece at a time.
constexpr qint64 kCopyPiece = 1 << 20;
const QString kUnwritable = QStringLiteral("Unable to write output file");
// The encoding's catching up and the copy into place, each half the work.
constexpr int kFinishParts = 2;

// The encoder's failure as every clip format reports it.
template <class Step>
void Translated(Step step)
{
    try {
        step();
    } catch (const VideoError& e) {
        throw ClipError({QString::fromStdString(e.what()), {}, {}});
    }
}

void CopyInto(QFile& from, QIODevice& to, WorkProgress& progress)
{
    if (!from.seek(0))
        throw FileWriteError(from.errorString().toStdString());
    const qint64 size = std::max<qint64>(from.size(), 1);
    qint64 copied = 0;
    QByteArray piece;
    while (!(piece = from.read(kCopyPiece)).isEmpty()) {
        ThrowIfCancelled(progress);
        WriteAll(to, piece.constData(), piece.size());
        copied += piece.size();
        progress.Report(std::min(copied, size), size);
    }
    if (from.error() != QFileDevice::NoError)
        throw FileWriteError(from.errorString().toStdString());
}

} // namespace

VideoClip::VideoClip(const QString& fileName, const VideoSettings& settings)
    : fileName_(fileName), work_(WorkFolderPaths())
{
    if (!work_.Open() || !workDevice_.open(work_.Descriptor(), QIODevice::ReadWrite, QFileDevice::DontCloseHandle))
        throw ClipWriteError({QStringLiteral("Failed to create video work file"), work_.Path(), work_.Reason()});
    Translated([&] { encoder_ = std::make_unique<VideoEncoder>(workDevice_, settings); });
    worker_ = std::make_unique<EncodingWorker>([this](const QImage& picture) { encoder_->AddFrame(picture); });
}

// The worker goes first: it may be encoding right now.
VideoClip::~VideoClip()
{
    worker_.reset();
}

void VideoClip::AddFrame(const QImage& frame)
{
    Translated([&] { worker_->Push(frame); });
}

// The pictures still queued are counted from the first time the worker
// says how many are left; they are few, so the work is cancelled only
// once they and the encoder's own are encoded.
void VideoClip::Finish(WorkProgress& progress)
{
    WorkPart encoding(progress, 0, kFinishParts);
    WorkPart copying(progress, 1, kFinishParts);
    Translated([&] {
        int queued = 0;
        worker_->Drain([&](int left) {
            queued = std::max({queued, left, 1});
            encoding.Report(queued - left, queued);
        });
        encoder_->Finish();
    });
    ThrowIfCancelled(progress);
    encoding.Report(1, 1);
    try {
        ReplaceFile(fileName_, [this, &copying](QIODevice& out) { CopyInto(workDevice_, out, copying); });
    } catch (const FileWriteError& e) {
        throw ClipError({kUnwritable, fileName_, QString::fromStdString(e.what())});
    }
}
