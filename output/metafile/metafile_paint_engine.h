#pragma once

#include "output/metafile/metafile_drawing.h"

#include <QPaintEngine>
#include <QTransform>

// Collects what a QPainter draws on a MetafileDevice: rectangles, ellipses,
// polylines (drawLines arrives here as two-point polylines) and pixels, with
// the pen and brush of the moment. Coordinates go through the painter's
// transform; a rotated rectangle or ellipse keeps to its bounding box.
// Clipping is not recorded, nor are images, paths or filled polygons, none
// of which the views draw; a filled polygon gives a warning.
class MetafilePaintEngine : public QPaintEngine {
public:
    MetafilePaintEngine();

    bool begin(QPaintDevice* device) override;
    bool end() override;
    void updateState(const QPaintEngineState& state) override;

    void drawRects(const QRect* rects, int rectCount) override;
    void drawRects(const QRectF* rects, int rectCount) override;
    void drawEllipse(const QRect& rect) override;
    void drawEllipse(const QRectF& rect) override;
    void drawPolygon(const QPoint* points, int pointCount, PolygonDrawMode mode) override;
    void drawPolygon(const QPointF* points, int pointCount, PolygonDrawMode mode) override;
    void drawPoints(const QPoint* points, int pointCount) override;
    void drawPoints(const QPointF* points, int pointCount) override;
    void drawPixmap(const QRectF& target, const QPixmap& pixmap, const QRectF& source) override;

    Type type() const override { return QPaintEngine::User; }

    const MetafileDrawing& Drawing() const { return drawing_; }

private:
    static void WarnFilledPolygon();
    std::vector<QPoint> DevicePoints(const QPoint* points, int count) const;
    std::vector<QPoint> DevicePoints(const QPointF* points, int count) const;
    QRect DeviceRect(const QRectF& rect) const;
    GdiPen Pen() const;
    void AddShape(DrawnShape::Kind kind, const GdiBox& box);
    void AddPolyline(std::vector<QPoint>&& points);
    void AddPixels(std::vector<QPoint>&& points);

    QPen pen_;
    QBrush brush_;
    QTransform transform_;
    MetafileDrawing drawing_;
};
