#pragma once

#include <QImage>
#include <QWidget>

#include <functional>

// A pane that owns its picture: the paint handler draws into an off-screen
// image of the pane's device pixels, which is then shown in one piece, so
// the pane never flickers, the views can draw straight into its pixels and
// a line is one device pixel wide on a screen of any pixel ratio. Mouse
// presses, moves and releases go to the handlers with pane coordinates;
// after a press the pane keeps them until the release, also outside it.
class PaintBox : public QWidget {
    Q_OBJECT
public:
    explicit PaintBox(QWidget* parent = nullptr);

    // The client rectangle, as the views take it.
    QRect ClientRect() const { return rect(); }
    // The picture as the last paint left it, with the screen's pixel ratio.
    const QImage& Picture() const { return picture_; }

    // Draws into the picture's device pixels, pixelRatio to a pane pixel.
    std::function<void(QPainter&, double pixelRatio)> OnPaint;
    std::function<void(Qt::MouseButton, int x, int y)> OnMouseDown;
    std::function<void(int x, int y)> OnMouseMove;
    std::function<void(Qt::MouseButton, int x, int y)> OnMouseUp;
    // Notches of the wheel, positive away from the user; a fine wheel gives
    // fractions of a notch.
    std::function<void(int x, int y, double notches)> OnWheel;
    std::function<void()> OnResize;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QImage picture_;
};
