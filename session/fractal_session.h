#pragma once

#include "model/complex.h"
#include "model/fract_model.h"
#include "session/clip_sink.h"
#include "session/edit_history.h"
#include "session/interaction_mode.h"
#include "session/setting_values.h"
#include "view/curve_renderer.h"
#include "view/endless_renderer.h"
#include "view/endless_view.h"
#include "view/fract_editor.h"
#include "view/fract_viewer.h"
#include "view/pixel_rect.h"

#include <QImage>
#include <QObject>
#include <QRect>
#include <QString>
#include <QTimer>

#include <functional>
#include <memory>
#include <optional>
#include <utility>

class QMimeData;
class QPainter;

// One fractal at work: the generator with its two views, the interaction
// mode and the timer, the zoom, the generator animation and the recording
// of a clip. The window forwards its handlers here and shows what the
// signals tell; the command line drives the same session with no window.
// A session starts as the program does: the start generator at depth 1,
// the default settings, idle.
class FractalSession : public QObject {
    Q_OBJECT
public:
    FractalSession();
    ~FractalSession() override;

    // The values of the settings store: colours, pen, zoom, rasters, New's
    // ranges and the export size.
    void ApplySettings(const SettingValues& values);
    SettingValues Settings() const;

    // The panes. The fractal pane's paint fits the view into the pane
    // (except during an animated zoom, which moves it step by step) and
    // draws it; FitToPane does the fit alone, where nothing is shown. Both
    // panes are laid out in the pane's pixels, which the mouse gives, and
    // painted into pictures of pixelRatio device pixels to a pane pixel.
    void SetFractPane(QSize size);
    PixelRect FractPane() const { return fractPane_; }
    void FitToPane();
    void PaintFract(QPainter& painter, double pixelRatio = 1.0);
    void SetEditorPane(const QRect& rect);
    // Fits the generator into the editor pane anew and repaints it.
    void LayoutEditor();
    void PaintEditor(QPainter& painter, double pixelRatio = 1.0);

    // The mode alone starts and stops the timer, each of whose ticks calls
    // Tick: one zoom or animation step, then a frame while capturing.
    InteractionMode Mode() const { return mode_; }
    void SetMode(InteractionMode m);
    QTimer& Timer() { return timer_; }
    const QTimer& Timer() const { return timer_; }
    void Tick();

    // What a .fract file holds besides the edges.
    int Depth() const { return Viewer.Depth; }
    void SetDepth(int depth);
    bool Lines() const { return lines_; }
    void SetLines(bool lines);

    // File and edge commands.
    void New();
    // Throws FractFormatError; what was read before a bad line stays.
    void Open(const QString& fileName);
    // Throws FileWriteError.
    void Save(const QString& fileName) const;
    void AddEdge();
    void DeleteEdge();
    // The generator passed on as its file's text. Pasting sets the edges
    // with their orientations, the depth and the display mode as one step; it throws
    // FractFormatError, changing nothing, for text the reader refuses.
    std::unique_ptr<QMimeData> GeneratorMimeData() const;
    void PasteGenerator(const QMimeData& data);

    // Every change of the edges, the depth or the display mode is a step
    // that can be undone and redone; opening a file starts a new history.
    // Undo and Redo first stop a zoom or an animation.
    const EditHistory& History() const { return history_; }
    void Undo();
    void Redo();
    // The next change is a step of its own: a new gesture on the depth
    // slider begins (a press, a key, the wheel), however many ticks it
    // makes. While the generator moves, such changes join its step.
    void BeginStep();

    // The generator animation: which passes run, and the pause.
    bool AnimatingLengths() const { return lengths_; }
    bool AnimatingAngles() const { return angles_; }
    bool Paused() const { return paused_; }
    void AnimateLengths(bool on);
    void AnimateAngles(bool on);
    void SetPaused(bool on);

    // The editor pane's drag: press on a node, move, release to snap.
    void PressEditor(Qt::MouseButton button, int x, int y);
    void MoveEditor(int x, int y);
    void ReleaseEditor(Qt::MouseButton button);
    // The editor pane's edge menu: a right press near an edge stops a zoom
    // or an animation as a left press does and gives the edge; anywhere
    // else it changes nothing and gives -1.
    int PressEditorEdge(int x, int y);
    // Mirrors or reverses the copy on an edge, or takes that back: a step
    // of its own, which stops both animations as an edge command does.
    void MirrorEdge(int edge, bool on);
    void ReverseEdge(int edge, bool on);

    // The fractal pane: a left drag draws the rubber band and zooms into it,
    // a right click zooms out to the whole curve.
    void PressFract(Qt::MouseButton button, int x, int y);
    void MoveFract(int x, int y);
    void ReleaseFract(Qt::MouseButton button, int x, int y);
    const PixelRect& RubberBand() const { return rubberBand_; }
    int ZoomStepsLeft() const { return zoomStepsLeft_; }
    // Zooms into the window between two corners in pane pixels.
    void ZoomToBand(const Complex& c1, const Complex& c2);
    void FullView();
    // Beyond the rubber band, in both views and while no timer runs: the
    // wheel zooms about the cursor at once, a middle drag pans.
    void WheelFract(int x, int y, double notches);

    // The endless view: with the switch on and a generator whose depths
    // converge, the pane shows the limit curve refined to its pixels at any
    // magnification, and zooms, gestures and outputs work on it.
    void SetEndlessZoom(bool on);
    bool EndlessZoom() const { return endlessZoom_; }
    bool EndlessShown() const { return endlessZoom_ && endless_.Curve().Exists(); }
    const EndlessView& Endless() const { return endless_; }
    // Against the full view; during an animated zoom, of the step shown.
    BigFloat EndlessMagnification() const { return endless_.Magnification(fractPane_, mode_ == modeZooming); }
    // The window between two corners in the generator's coordinates.
    void SetEndlessWindow(const BigComplex& a, const BigComplex& b);
    // An animated zoom of steps steps from the full view to the
    // magnification about a curve point, which keeps its pixel. While
    // capturing, the full view is its first frame.
    void Dive(const BigComplex& point, const BigFloat& magnification, int steps);

    // Every output's picture of the view, in the pane's style.
    CurveStyle Style() const;
    ViewRenderer& Renderer();
    std::unique_ptr<ViewPicture> Picture(const ViewPlacement& placement);

    // Recording: a clip is set up with a frame picture and a sink, "Start"
    // and "Stop" switch the capture, and every tick that moves something
    // adds a frame until the clip is finished or abandoned.
    // False when the frame pictures cannot be allocated.
    bool PrepareFrame(QSize size);
    void SetUpRecording(std::unique_ptr<ClipSink> clip);
    bool RecordingOpen() const { return clip_ != nullptr; }
    bool Recording() const { return recording_; }
    void StartStopCapture();
    void StopCapture();
    // Writes the clip when frames were captured and ends the recording;
    // gives the writer's failure when writing failed. The progress hears
    // how far the writing is; cancelled, it leaves no clip.
    std::optional<ClipFailure> FinishRecording(WorkProgress& progress = WorkProgress::Unwatched());
    // Ends the recording and hands over its clip to be finished elsewhere
    // (FinishClip), while the session goes on; nothing when no frame was
    // captured.
    std::unique_ptr<ClipSink> EndRecording();
    // Ends the recording without writing a clip.
    void AbandonRecording();
    double FrameScale() const { return frameScale_; }
    int FramesRecorded() const { return framesRecorded_; }
    // The picture of the last frame (or of the next, before any).
    const QImage& Frame() const { return *lastFrame_; }

    // The three generators of the design and the two views of the first.
    FractModel Generator{kGeneratorCapacity};
    FractModel AngleSteps{kGeneratorCapacity};
    FractModel LengthTargets{kGeneratorCapacity};
    FractViewer Viewer{Generator, kCurveCapacity};
    FractEditor Editor{Generator, kEditorCapacity};

    // Settings of the zoom, of New and of the length animation.
    int ZoomSteps = 0;
    bool ZoomAnimation = false;
    int MinNodes = 0;
    int MaxNodes = 0;
    double MinLength = 0.0;
    double MaxLength = 0.0;
    int ExportWidth = 0;
    int ExportHeight = 0;
    // Smoothed lines and points in the pane and the pictures with pixels.
    bool Antialiasing = false;
    // How every picture colours the curve.
    CurveColoring Coloring;

signals:
    // The fractal pane must be repainted now: a paint fits the view.
    void fractChanged();
    void editorChanged();
    void modeChanged(InteractionMode mode);
    // The controls follow what changed underneath them.
    void depthChanged(int depth);
    void linesChanged(bool lines);
    void animationChanged(bool lengths, bool angles);
    void historyChanged();
    // The recording's "Start"/"Stop", its frame count, and a failure that
    // has already stopped the capture.
    void captureChanged(bool capturing);
    void framesChanged(int count);
    void captureFailed(const ClipFailure& failure);
    // The endless switch, or whether the generator has a limit curve.
    void endlessChanged();

private:
    void DrawGenerator(int n);
    void ZoomTo(Complex& c1, Complex& c2);
    // The endless view's ZoomTo: setWindow sets the window the zoom ends at.
    void ZoomEndless(const std::function<void()>& setWindow);
    // setWindow sets the window the zoom ends at; firstStep, given the
    // number of steps, maps the pane for the first of them.
    void StartZoom(const std::function<void()>& setWindow, const std::function<void(int)>& firstStep);
    bool GesturesAllowed() const { return mode_ == modeIdle || mode_ == modePaused; }
    void PanTo(const Complex& point);
    void MovePicture(double scale, const Complex& offset);
    std::pair<Complex, Complex> WindowInPane() const;
    void ReleaseRubberBand(int x, int y);
    void ZoomStep();
    void AnimationStep();
    void PrepareAngleAnimation();
    void PrepareLengthAnimation();
    void KeepAnimationInStep();
    void ChangeEdgeCount(void (FractModel::*change)(), const QString& step);
    void ChangeOrientation(int edge, EdgeOrientation flip, bool on, const QString& step);
    void ChangeDepth(int depth);
    void ChangeLines(bool lines);
    FractState State() const;
    void Restore(const FractState& state);
    void Recalculate();
    void UpdateFrameScale();
    void CaptureZoomStart();
    QImage& DrawFrame();
    void CaptureFrame();

    InteractionMode mode_ = modeIdle;
    QTimer timer_;
    bool lines_ = true;
    bool lengths_ = false;
    bool angles_ = false;
    bool paused_ = false;

    PixelRect fractPane_;
    QRect editorPane_;
    CurveRenderer renderer_{Viewer};
    bool endlessZoom_ = false;
    EndlessView endless_;
    EndlessRenderer endlessRenderer_{endless_};

    PixelRect rubberBand_;
    int zoomStepsLeft_ = 0;
    // The rubber band's corners while its zoom is in force; the view refers
    // to them.
    Complex zoomMin_;
    Complex zoomMax_;
    // The middle button's last point while it pans.
    std::optional<Complex> panFrom_;

    std::unique_ptr<ClipSink> clip_;
    bool recording_ = false;
    double frameScale_ = 1.0;
    int framesRecorded_ = 0;
    // A frame of a two-colour clip is drawn into bits wherever the curve's
    // style allows: a thirty-second of the memory to fill and hand on.
    // Thick lines, and clips that keep shades, need the 32-bit picture.
    QImage bitFrame_;
    QImage colourFrame_;
    const QImage* lastFrame_ = &bitFrame_;

    EditHistory history_{[this](const FractState& state) { Restore(state); }};
};
