#include "output/clip/video_clip.h"

#include "model/atomic_file.h"
#include "output/work/work_folder.h"

namespace {

// The clip is copied into place a piece at a time.
constexpr qint64 kCopyPiece = 1 << 20;
const QString kUnwritable = QStringLiteral("Unable to write output file");

[[noreturn]] void Interrupted(const QString& fileName)
{
    throw ClipError({kUnwritable, fileName, QStringLiteral("interrupted")});
}

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

void CopyInto(QFile& from, QIODevice& to, const QString& fileName, const ClipStop& stop)
{
    if (!from.seek(0))
        throw FileWriteError(from.errorString().toStdString());
    QByteArray piece;
    while (!(piece = from.read(kCopyPiece)).isEmpty()) {
        if (stop && stop())
            Interrupted(fileName);
        WriteAll(to, piece.constData(), piece.size());
    }
    if (from.error() != QFileDevice::NoError)
        throw FileWriteError(from.errorString().toStdString());
}

} // namespace

VideoClip::VideoClip(const QString& fileName, const VideoSettings& settings)
    : fileName_(fileName), work_(WorkFolderPath())
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

void VideoClip::Finish(const FinishWaiting& waiting, const ClipStop& stop)
{
    Translated([&] {
        worker_->Drain([&](int left) {
            if (stop && stop())
                Interrupted(fileName_);
            if (waiting)
                waiting(left);
        });
        encoder_->Finish();
    });
    if (stop && stop())
        Interrupted(fileName_);
    try {
        ReplaceFile(fileName_, [this, &stop](QIODevice& out) { CopyInto(workDevice_, out, fileName_, stop); });
    } catch (const FileWriteError& e) {
        throw ClipError({kUnwritable, fileName_, QString::fromStdString(e.what())});
    }
}
