// The learners' overlays above the canvas: held blinking lamps and colour letters.

#include "app/light_overlay.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

#include <map>

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

// Letters on a light label beside each light, on the side away from the middle of its column's
// lights, so that the letters of neighbouring lamps do not cover each other or the lamps.
void PaintColorLetters(QPainter& painter, std::span<const LitLight> lights)
{
    std::map<std::int32_t, std::pair<long, int>> middle;  // column -> sum of centres, count
    for (const LitLight& light : lights) {
        auto& [sum, count] = middle[light.column];
        sum += (light.left + light.right) / 2;
        ++count;
    }
    QFont font = painter.font();
    font.setPixelSize(9);
    font.setBold(true);
    painter.setFont(font);
    const QFontMetrics metrics(font);
    for (const LitLight& light : lights) {
        const auto& [sum, count] = middle[light.column];
        const int centre = (light.left + light.right) / 2;
        const bool left = count > 1 && centre * count < sum;
        const QString letters = QString::fromLatin1(LampColorLetters(light.color));
        QRect label(0, 0, metrics.horizontalAdvance(letters) + 4, metrics.height());
        const int midY = (light.top + light.bottom) / 2;
        label.moveTop(midY - label.height() / 2);
        if (left)
            label.moveRight(light.left - 3);
        else
            label.moveLeft(light.right + 2);
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
