// The canvas widget: shows the core's canvas and runs the core's paint when the window system asks.

#include "app/canvas_widget.h"

#include "core/driver.h"
#include "learn/columns.h"
#include "learn/quiz_session.h"

#include <QAccessible>
#include <QImage>
#include <QMouseEvent>
#include <QPaintEvent>
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
    // Only the part of the canvas the tick changed needs showing again, unless overlays are on:
    // they follow the lamps over the whole canvas.
    const RetainedRaster& canvas = m_driver.DrawCanvas();
    const raster::Box changed = canvas.ChangedSince(m_shownDrawing);
    if (m_overlays.any()) {
        repaint();
        return;
    }
    if (!changed.Empty())
        repaint(QRect(static_cast<int>(changed.left), static_cast<int>(changed.top),
            static_cast<int>(changed.right - changed.left), static_cast<int>(changed.bottom - changed.top)));
    m_shownDrawing = canvas.Drawing();
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

void CanvasWidget::paintEvent(QPaintEvent* event)
{
    const bool corePaint = m_corePaintDue;
    m_corePaintDue = false;
    if (corePaint) {
        m_driver.Paint();
        ++m_corePaints;
    }

    const RetainedRaster& canvas = m_driver.DrawCanvas();
    // Colours are 0x00BBGGRR, which in memory is the byte order R, G, B, unused.
    const QImage image(reinterpret_cast<const uchar*>(canvas.Pixels()), canvas.Width(), canvas.Height(),
                       canvas.Width() * 4, QImage::Format_RGBX8888);
    // Drawn into the logical rectangle without smoothing: on a scaled desktop every canvas pixel
    // becomes a block of whole device pixels.
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    // Only the part asked for: the rest of the widget shows what it showed. Once all of it shows
    // one drawing, a tick needs to show only that drawing's damage.
    const QRect part = event->rect() & QRect(0, 0, canvas.Width(), canvas.Height());
    painter.drawImage(part, image, part);
    if (event->rect().contains(rect()))
        m_shownDrawing = canvas.Drawing();
    if (m_overlays.any())
        PaintLightOverlays(painter, m_driver.View().Lights.Lights(), m_overlays);
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

const CanvasWidget::ColumnText* CanvasWidget::column(int x) const
{
    for (std::size_t i = 0; i < kColumnXs.size(); ++i)
        if (kColumnXs[i] == x)
            return m_columns[i] ? &*m_columns[i] : nullptr;
    return nullptr;
}

QRect CanvasWidget::columnRect(int x)
{
    // From the track plan down to the ground strip.
    return QRect(x - 50, 0, 100, 414);
}

QString CanvasWidget::summary() const
{
    QStringList parts;
    for (const auto& column : m_columns)
        if (column)
            parts << column->name + QStringLiteral(": ") + column->description;
    return parts.join(QLatin1Char(' '));
}

void CanvasWidget::setConcealedColumn(int x)
{
    m_concealedColumn = x;
}

void CanvasWidget::refreshColumns()
{
    const System system = m_driver.View().SelectedSystem();
    const QString name = QStringLiteral("Signale der Strecke, %1").arg(QLatin1String(NamesOf(system).title));
    if (accessibleName() != name)
        setAccessibleName(name);

    const auto lights = m_driver.View().Lights.Lights();
    bool anyChange = false;
    bool reordered = false;
    int index = 0;
    for (std::size_t i = 0; i < kColumnXs.size(); ++i) {
        const int x = kColumnXs[i];
        std::optional<ColumnText> fresh;
        if (learn::ColumnSignal(system, x) && x == m_concealedColumn) {
            fresh = ColumnText {QString::fromStdString(learn::ColumnName(system, x)), QString(),
                                QString::fromUtf8(learn::kConcealedText)};
        } else if (learn::ColumnSignal(system, x)) {
            fresh = ColumnText {QString::fromStdString(learn::ColumnName(system, x)),
                                QString::fromStdString(learn::ColumnAspect(m_driver.View().Panels, lights, x)),
                                QString::fromStdString(learn::DescribeColumn(m_driver.View().Panels, lights, x))};
        }
        std::optional<ColumnText>& known = m_columns[i];
        if (known.has_value() != fresh.has_value()) {
            reordered = true;
            known = fresh;
        } else if (fresh) {
            const bool nameChanged = known->name != fresh->name;
            const bool textChanged = known->description != fresh->description || known->aspect != fresh->aspect;
            known = fresh;
            if (nameChanged || textChanged)
                anyChange = true;
            if (nameChanged) {
                QAccessibleEvent event(this, QAccessible::NameChanged);
                event.setChild(index);
                QAccessible::updateAccessibility(&event);
            }
            if (textChanged) {
                QAccessibleEvent event(this, QAccessible::DescriptionChanged);
                event.setChild(index);
                QAccessible::updateAccessibility(&event);
            }
            if (nameChanged || textChanged)
                emit columnTextChanged(index);
        }
        if (known)
            ++index;
    }
    if (reordered) {
        QAccessibleEvent event(this, QAccessible::ObjectReorder);
        QAccessible::updateAccessibility(&event);
    }
    if (anyChange || reordered) {
        QAccessibleEvent event(this, QAccessible::DescriptionChanged);
        QAccessible::updateAccessibility(&event);
    }
}

void CanvasWidget::setOverlays(LightOverlays overlays)
{
    m_overlays = overlays;
    update();
}

} // namespace lumaro
