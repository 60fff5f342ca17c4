// The canvas widget: shows the core's canvas and runs the core's paint when the window system asks.

#include "app/canvas_widget.h"

#include "core/driver.h"

#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

namespace lumaro {

CanvasWidget::CanvasWidget(Driver& driver, QWidget* parent)
    : QWidget(parent)
    , m_driver(driver)
{
    setFixedSize(Canvas::kWidth, Canvas::kHeight);
    // Every paint covers the whole widget with the canvas.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CanvasWidget::showTickPaint()
{
    // The tick has run the core's paint already; a paint request still due is covered by it.
    m_corePaintDue = false;
    repaint();
}

void CanvasWidget::requestCorePaint()
{
    m_corePaintDue = true;
    update();
}

bool CanvasWidget::event(QEvent* event)
{
    // The window system's paint requests reach the top-level window, not this widget: watch it
    // once it exists.
    if (event->type() == QEvent::Show) {
        QWindow* handle = window()->windowHandle();
        if (handle && handle != m_watchedWindow) {
            if (m_watchedWindow)
                m_watchedWindow->removeEventFilter(this);
            m_watchedWindow = handle;
            handle->installEventFilter(this);
        }
    }
    return QWidget::event(event);
}

bool CanvasWidget::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_watchedWindow) {
        // Qt answers an expose from its own buffer; the window system expects a fresh paint.
        if (event->type() == QEvent::Expose && m_watchedWindow->isExposed())
            requestCorePaint();
        else if (event->type() == QEvent::Resize)
            requestCorePaint();
    }
    return QWidget::eventFilter(watched, event);
}

void CanvasWidget::paintEvent(QPaintEvent*)
{
    const bool corePaint = m_corePaintDue;
    m_corePaintDue = false;
    if (corePaint) {
        m_driver.Paint();
        ++m_corePaints;
    }

    const Canvas& canvas = m_driver.View().Canvas;
    // Colours are 0x00BBGGRR, which in memory is the byte order R, G, B, unused.
    const QImage image(reinterpret_cast<const uchar*>(canvas.Pixels()), canvas.Width(), canvas.Height(),
                       canvas.Width() * 4, QImage::Format_RGBX8888);
    // Drawn into the logical rectangle without smoothing: on a scaled desktop every canvas pixel
    // becomes a block of whole device pixels.
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
