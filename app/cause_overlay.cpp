// The cause outline: a transparent widget over the canvas that draws a frame around each column
// an explanation names. It takes no mouse input, so buttons and panels under it work as before.

#include "app/cause_overlay.h"

#include "render/canvas.h"

#include <QPainter>
#include <QPen>

namespace lumaro {

namespace {

// Orange stands out against the sky blue of the day, the dark blue of the night and every lamp.
const QColor kOutline(255, 140, 0);
constexpr int kPenWidth = 3;
// From below the track plan to below the last line of designation panels.
constexpr int kTop = 96;
constexpr int kBottom = 686;
constexpr int kHalfWidth = 49;

} // namespace

CauseOverlay::CauseOverlay(QWidget* canvas)
    : QWidget(canvas)
{
    setObjectName(QStringLiteral("CauseOverlay"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setGeometry(0, 0, Canvas::kWidth, Canvas::kHeight);
    hide();
}

QRect CauseOverlay::ColumnRect(int x)
{
    return QRect(x - kHalfWidth, kTop, 2 * kHalfWidth, kBottom - kTop);
}

void CauseOverlay::setColumns(std::vector<int> columns)
{
    if (columns == m_columns && isVisible() == !columns.empty())
        return;
    m_columns = std::move(columns);
    setVisible(!m_columns.empty());
    if (!m_columns.empty())
        raise();
    update();
}

void CauseOverlay::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QPen pen(kOutline, kPenWidth);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    for (const int x : m_columns)
        painter.drawRect(ColumnRect(x));
}

} // namespace lumaro
