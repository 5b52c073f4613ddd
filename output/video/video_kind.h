#pragma once

// The clip formats made with FFmpeg's libraries.
enum class VideoKind { Mp4, WebM, Gif };
