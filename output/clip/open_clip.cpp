#include "output/clip/open_clip.h"

#include "output/clip/avi_clip.h"
#include "output/clip/video_clip.h"
#include "output/picture_export.h"

std::unique_ptr<ClipSink> OpenClip(const ClipRequest& request)
{
    VideoSettings video{VideoKind::Mp4, request.Frame, request.FrameTime, request.Background, request.Foreground,
                        request.WavFile};
    switch (PictureFormatOf(request.FileName)) {
    case PictureFormat::Avi:
        return std::make_unique<AviClip>(request.FileName, request.Frame, request.FrameTime, request.WavFile);
    case PictureFormat::Mp4:
        break;
    case PictureFormat::WebM:
        video.Kind = VideoKind::WebM;
        break;
    case PictureFormat::Gif:
        if (!request.WavFile.isEmpty())
            throw VideoError("A GIF animation holds no sound");
        video.Kind = VideoKind::Gif;
        break;
    default:
        throw VideoError("Not a clip format");
    }
    return std::make_unique<VideoClip>(request.FileName, video);
}
