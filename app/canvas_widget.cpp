#include "app/canvas_widget.h"

#include "core/main_form.h"

#include <QImage>
#include <QMouseEvent>
#include <QPainter>

namespace lumaro {

CanvasWidget::CanvasWidget(MainForm& form, QWidget* parent)
    : QWidget(parent)
    , m_form(form)
{
    setFixedSize(Canvas::kWidth, Canvas::kHeight);
    // Every paint covers the whole widget with the canvas.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CanvasWidget::showTickPaint()
{
    // repaint() paints at once, so the flag covers exactly this paint. A hidden widget does not
    // paint at all; clearing the flag afterwards keeps the next expose running the core's paint.
    m_showingTickPaint = true;
    repaint();
    m_showingTickPaint = false;
}

void CanvasWidget::paintEvent(QPaintEvent*)
{
    const bool corePaint = !m_showingTickPaint;
    if (corePaint) {
        m_form.Paint();
        ++m_corePaints;
    }

    const Canvas& canvas = m_form.Canvas;
    // Colours are 0x00BBGGRR, which in memory is the byte order R, G, B, unused.
    const QImage image(reinterpret_cast<const uchar*>(canvas.Pixels()), canvas.Width(), canvas.Height(),
                       canvas.Width() * 4, QImage::Format_RGBX8888);
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(QRect(0, 0, canvas.Width(), canvas.Height()), image);
    painter.end();

    if (corePaint && m_afterCorePaint)
        m_afterCorePaint();
}

void CanvasWidget::mouseReleaseEvent(QMouseEvent* event)
{
    // A click is a press and a release of the left button on the background.
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit backgroundClicked();
    QWidget::mouseReleaseEvent(event);
}

} // namespace lumaro
