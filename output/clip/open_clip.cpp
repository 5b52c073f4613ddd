#include "output/clip/open_clip.h"

#include "output/clip/avi_clip.h"
#include "output/clip/clip_target.h"
#include "output/clip/video_clip.h"
#include "output/picture_export.h"
#include "session/fractal_session.h"

void ClipRequest::TakeColorsOf(const FractalSession& session)
{
    Background = ToQColor(session.Viewer.BgColor).rgb();
    Foreground = ToQColor(session.Viewer.FgColor).rgb();
    CurveColors.clear();
    if (!session.Coloring.Colored())
        return;
    const CurvePalette palette(session.Coloring);
    for (int i = 0; i < palette.Size(); ++i)
        CurveColors.push_back(ToQColor(palette[i]).rgb());
}

// Every format is checked alike before anything is made.
std::unique_ptr<ClipSink> OpenClip(const ClipRequest& request)
{
    const PictureFormat format = PictureFormatOf(request.FileName);
    if (!IsClipFormat(format))
        throw ClipError({QStringLiteral("Not a clip format"), request.FileName, {}});
    CheckClipTarget(request.FileName);
    if (format == PictureFormat::Gif && !request.WavFile.isEmpty())
        throw ClipError({QStringLiteral("A GIF animation holds no sound"), request.WavFile, {}});
    if (!request.WavFile.isEmpty())
        CheckClipSound(request.WavFile);
    if (format == PictureFormat::Avi)
        return std::make_unique<AviClip>(request.FileName, request.Frame, request.FrameTime, request.WavFile,
                                         !request.CurveColors.empty());
    const VideoKind kind = format == PictureFormat::Gif    ? VideoKind::Gif
                           : format == PictureFormat::WebM ? VideoKind::WebM
                                                           : VideoKind::Mp4;
    return std::make_unique<VideoClip>(request.FileName, VideoSettings{kind, request.Frame, request.FrameTime,
                                                                       request.Background, request.Foreground,
                                                                       request.WavFile, request.CurveColors});
}
