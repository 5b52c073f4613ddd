#include "session/clip_sink.h"

ClipFailure ClipFailureOf(const std::exception& e)
{
    if (const auto* clip = dynamic_cast<const ClipError*>(&e))
        return clip->Failure();
    return {QString::fromStdString(e.what()), {}, {}};
}

std::optional<ClipFailure> FinishClip(ClipSink& clip, WorkProgress& progress)
{
    try {
        clip.Finish(progress);
    } catch (const WorkCancelled&) {
        return std::nullopt;
    } catch (const std::exception& e) {
        return ClipFailureOf(e);
    }
    return std::nullopt;
}
