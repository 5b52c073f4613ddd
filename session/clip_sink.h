#pragma once

#include <functional>

class QImage;

// Where the frames of a recording go: a clip writer of some format, opened
// for one clip. Failures are std::runtime_error (or derived) with the
// message the user reads.
class ClipSink {
public:
    virtual ~ClipSink() = default;
    // Adds one frame, a picture of the size the clip was opened with.
    virtual void AddFrame(const QImage& frame) = 0;
    // Called while Finish waits for frames still being encoded, with how
    // many are left.
    using FinishWaiting = std::function<void(int framesLeft)>;

    // Writes the clip of the frames added so far.
    virtual void Finish(const FinishWaiting& waiting) = 0;
    // Whether the clip keeps the shades of smoothed lines; a clip of two
    // colours takes its frames unsmoothed.
    virtual bool TakesShades() const { return false; }
};
