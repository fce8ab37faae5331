#pragma once

#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainterPath>
#include <QRectF>
#include <QTextItem>

// A page that remembers what is drawn on it instead of showing it: every piece of text with the box
// its glyphs take (advance width by ascent plus descent) and every rectangle, in device pixels.
class RecordingEngine : public QPaintEngine {
public:
    RecordingEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}

    struct Text {
        QString text;
        QRectF box;
    };
    QList<Text> texts;
    QList<QRectF> rects;

    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override {}
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawTextItem(const QPointF& p, const QTextItem& item) override {
        const QRectF box(p.x(), p.y() - item.ascent(), item.width(), item.ascent() + item.descent());
        texts.append({item.text(), state->transform().mapRect(box)});
    }
    void drawRects(const QRectF* r, int count) override {
        for (int i = 0; i < count; ++i) rects.append(state->transform().mapRect(r[i]));
    }
    void drawRects(const QRect* r, int count) override {
        for (int i = 0; i < count; ++i) rects.append(state->transform().mapRect(QRectF(r[i])));
    }
    void drawPath(const QPainterPath&) override {}
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
    void drawPolygon(const QPoint*, int, PolygonDrawMode) override {}
    Type type() const override { return QPaintEngine::User; }
};

// A landscape A4 page at 1200 dots per inch.
class RecordingDevice : public QPaintDevice {
public:
    static constexpr int kDpi = 1200;
    static double toMm(double px) { return px * 25.4 / kDpi; }

    mutable RecordingEngine engine;

    QPaintEngine* paintEngine() const override { return &engine; }

protected:
    int metric(PaintDeviceMetric m) const override {
        switch (m) {
        case PdmWidth: return qRound(297.0 / 25.4 * kDpi);
        case PdmHeight: return qRound(210.0 / 25.4 * kDpi);
        case PdmWidthMM: return 297;
        case PdmHeightMM: return 210;
        case PdmNumColors: return INT_MAX;
        case PdmDepth: return 32;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY: return kDpi;
        case PdmDevicePixelRatio: return 1;
        case PdmDevicePixelRatioScaled: return int(QPaintDevice::devicePixelRatioFScale());
        }
        return 0;
    }
};
