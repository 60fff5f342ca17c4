// The learners' overlays above the canvas: held blinking lamps and colour letters.

#include "app/light_overlay.h"

#include "learn/light_labels.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>


namespace lumaro {

namespace {

QColor ColorOf(LampColor color)
{
    switch (color) {
    case LampColor::Red: return QColor(255, 0, 0);
    case LampColor::Yellow: return QColor(255, 255, 0);
    case LampColor::Green: return QColor(144, 238, 144);
    case LampColor::White: return QColor(255, 255, 255);
    }
    return Qt::white;
}

QRect BoxOf(const LitLight& light)
{
    return QRect(QPoint(light.left, light.top), QPoint(light.right - 1, light.bottom - 1));
}

// A blinking lamp in its dark phase burns as in its lit phase; every blinking lamp carries a
// dotted ring, so a held lamp is never taken for a steady one.
void PaintSteadyLamps(QPainter& painter, std::span<const LitLight> lights)
{
    for (const LitLight& light : lights) {
        if (!light.blinking)
            continue;
        const QRect box = BoxOf(light);
        const QColor color = ColorOf(light.color);
        if (!light.burning && light.kind == LightKind::Lamp) {
            painter.setPen(color);
            painter.setBrush(color);
            painter.drawEllipse(box);
        }
        QPen ring(color, 1, Qt::DotLine);
        painter.setPen(ring);
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(box.adjusted(-3, -3, 3, 3));
    }
}

// Letters on a label beside each light, where the core places them.
void PaintColorLetters(QPainter& painter, std::span<const LitLight> lights)
{
    QFont font = painter.font();
    font.setPixelSize(9);
    font.setBold(true);
    painter.setFont(font);
    const QFontMetrics metrics(font);
    for (const learn::LightLabel& at : learn::LightLabels(lights)) {
        const QString letters = QString::fromLatin1(at.letters);
        const int width = metrics.horizontalAdvance(letters) + 4;
        const int height = metrics.height();
        const QRect label(at.left ? at.x - width : at.x, at.middleY - height / 2, width, height);
        painter.setPen(Qt::black);
        painter.setBrush(Qt::white);
        painter.drawRect(label.adjusted(0, 0, -1, -1));
        painter.drawText(label, Qt::AlignCenter, letters);
    }
}

} // namespace

void PaintLightOverlays(QPainter& painter, std::span<const LitLight> lights, LightOverlays overlays)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    if (overlays.steadyLamps)
        PaintSteadyLamps(painter, lights);
    if (overlays.colorLetters)
        PaintColorLetters(painter, lights);
    painter.restore();
}

} // namespace lumaro
