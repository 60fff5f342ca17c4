// The speed line over the band of the track plan: axis, pieces with their speeds, ramps and the
// parts that hold for the train's length, and a train running the line in a few seconds.

#include "app/fahrt_view.h"

#include "app/qt_color.h"
#include "core/main_form.h"
#include "learn/speed_chart.h"
#include "render/canvas.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QSpinBox>

#include <algorithm>
#include <array>
#include <cmath>

namespace lumaro {

namespace {

// The band of the track plan, from the top of the canvas to above the highest signal (y = 96).
constexpr int kBandHeight = 96;
constexpr int kControlsHeight = 26;

constexpr int kFrameMs = 30;

const QColor kBackground(255, 255, 255, 215);
const QColor kGrid(0, 0, 0, 40);
const QColor kTrainLengthColor(40, 90, 220, 90);
const QColor kTrainColor(20, 40, 140);

QColor PieceColor(learn::PieceKind kind) { return ToQColor(learn::ChartColor(kind)); }

} // namespace

FahrtView::FahrtView(const FormState& form, QWidget* canvas)
    : QWidget(canvas)
    , m_form(form)
{
    setObjectName(QStringLiteral("FahrtView"));
    setGeometry(0, 0, Canvas::kWidth, kBandHeight);
    setMouseTracking(true);
    // Clicks on the band go to the view, not to the window background.
    setAttribute(Qt::WA_NoMousePropagation);
    setAccessibleName(QString::fromUtf8("Fahrt: erlaubte Geschwindigkeit entlang der Strecke"));
    setToolTip(QString::fromUtf8(learn::FahrtAssumptions()));
    createWidgets();
    connectWidgets();
    refresh();
    hide();
}

void FahrtView::createWidgets()
{
    auto* row = new QWidget(this);
    row->setGeometry(4, 2, Canvas::kWidth - 8, kControlsHeight - 2);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(8);

    auto* title = new QLabel(QString::fromUtf8("<b>Fahrt</b>"), row);
    auto* lengthLabel = new QLabel(QString::fromUtf8("Zuglänge:"), row);
    m_length = new QSpinBox(row);
    m_length->setObjectName(QStringLiteral("FahrtZuglaenge"));
    m_length->setRange(0, learn::kMaxTrainLength * learn::kMetresPerPixel);
    m_length->setSingleStep(learn::kMetresPerPixel);
    m_length->setValue(learn::kDefaultTrainLength * learn::kMetresPerPixel);
    m_length->setSuffix(QStringLiteral(" m"));
    m_length->setAccessibleName(QString::fromUtf8("Zuglänge in Metern"));
    lengthLabel->setBuddy(m_length);
    m_platform = new QCheckBox(QString::fromUtf8("Halt am Bahnsteig"), row);
    m_platform->setObjectName(QStringLiteral("FahrtHaltAmBahnsteig"));
    m_run = new QPushButton(QString::fromUtf8("Zug fahren lassen"), row);
    m_run->setObjectName(QStringLiteral("FahrtZug"));
    m_run->setAutoDefault(false);
    m_note = new QLabel(QString::fromUtf8("schematisch: 160 km/h, 10 m je Pixel; blau: Zuglänge"), row);
    m_note->setToolTip(QString::fromUtf8(learn::FahrtAssumptions()));

    for (QWidget* w : std::initializer_list<QWidget*> {title, lengthLabel, m_length, m_platform, m_run, m_note})
        layout->addWidget(w);
    layout->addStretch(1);

    m_trainTimer.setInterval(kFrameMs);
}

void FahrtView::connectWidgets()
{
    connect(m_length, &QSpinBox::valueChanged, this, [this] { refresh(); });
    connect(m_platform, &QCheckBox::toggled, this, [this] { refresh(); });
    connect(m_run, &QPushButton::clicked, this, [this] { m_running ? stopTrain() : startTrain(); });
    connect(&m_trainTimer, &QTimer::timeout, this, [this] { advanceTrain(kFrameMs); });
}

learn::FahrtOptions FahrtView::options() const
{
    return {m_length->value() / learn::kMetresPerPixel,
            m_platform->isChecked() ? learn::PlatformStop::Stop : learn::PlatformStop::Pass};
}

void FahrtView::refresh()
{
    m_line = &m_cache.Get(m_form.SelectedSystem(), m_form.Panels, options());
    if (isVisible()) {
        updateAccessibleText();
        if (m_hoverX >= 0)
            if (const learn::SpeedPiece* piece = learn::PieceAt(*m_line, m_hoverX))
                emit pieceHovered(QString::fromStdString(piece->why));
        update();
    }
}

void FahrtView::updateAccessibleText()
{
    QString text;
    for (const learn::SpeedPiece& piece : m_line->pieces)
        text += QString::fromStdString(piece.spoken) + QStringLiteral(".\n");
    if (accessibleDescription() != text)
        setAccessibleDescription(text);
}

int FahrtView::SpeedY(double kmh)
{
    return static_cast<int>(std::lround(learn::ChartY(kmh)));
}

void FahrtView::startTrain()
{
    m_running = true;
    m_train = {};
    m_run->setText(QString::fromUtf8("Zug anhalten"));
    m_trainTimer.start();
    update();
}

void FahrtView::stopTrain()
{
    m_running = false;
    m_trainTimer.stop();
    m_run->setText(QString::fromUtf8("Zug fahren lassen"));
    update();
}

void FahrtView::advanceTrain(int ms)
{
    if (!m_running)
        return;
    learn::AdvanceTrain(*m_line, m_train, ms);
    if (!m_train.running)
        stopTrain();
    update();
}

void FahrtView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), kBackground);
    painter.setRenderHint(QPainter::Antialiasing, true);
    QFont small = font();
    small.setPixelSize(10);
    painter.setFont(small);

    // The axis: a faint line at every speed, its value at the left edge.
    const learn::SpeedChart chart = learn::ChartOf(*m_line);
    small.setPixelSize(9);
    painter.setFont(small);
    for (const learn::ChartAxisMark& mark : chart.axis) {
        const int y = static_cast<int>(std::lround(mark.y));
        painter.setPen(QPen(kGrid, 1, Qt::DotLine));
        painter.drawLine(0, y, learn::kLineEnd, y);
        painter.setPen(Qt::black);
        painter.drawText(QRect(mark.labelX, y - 5, 24, 10), Qt::AlignLeft | Qt::AlignVCenter, QString::number(mark.kmh));
    }
    painter.drawText(QRect(learn::kLineEnd + 1, SpeedY(0) - 5, 16, 10), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("0"));
    small.setPixelSize(10);
    painter.setFont(small);

    // The parts that hold for the train's length: a band under the line.
    for (const learn::TrainLengthPart& part : m_line->trainLengthParts)
        painter.fillRect(QRect(part.from, learn::kChartBottom + 3, part.to - part.from, 6), kTrainLengthColor);

    // The pieces, joined by vertical steps.
    QPointF previous;
    bool first = true;
    for (const learn::SpeedPiece& piece : m_line->pieces) {
        const QPointF a(piece.from, SpeedY(piece.fromKmh));
        const QPointF b(piece.to, SpeedY(piece.toKmh));
        if (!first && previous != a) {
            painter.setPen(QPen(QColor(0, 0, 0, 120), 1));
            painter.drawLine(previous, a);
        }
        painter.setPen(QPen(PieceColor(piece.kind), piece.kind == learn::PieceKind::Ramp ? 2 : 3,
                            piece.kind == learn::PieceKind::Ramp ? Qt::DashLine : Qt::SolidLine));
        painter.drawLine(a, b);
        previous = b;
        first = false;
    }

    for (const learn::ChartLabel& label : chart.labels) {
        painter.setPen(PieceColor(label.kind));
        painter.drawText(QRect(label.left, label.top, label.right - label.left, learn::kChartLabelHeight), Qt::AlignCenter,
                         QString::fromStdString(label.text));
    }

    // The piece under the mouse, outlined.
    if (const learn::SpeedPiece* piece = m_hoverX >= 0 ? learn::PieceAt(*m_line, m_hoverX) : nullptr) {
        painter.setPen(QPen(QColor(0, 0, 0, 90), 1, Qt::DashLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRect(piece->from, learn::kChartTop - 3, piece->to - piece->from, learn::kChartBottom - learn::kChartTop + 12));
    }

    // The train: its length behind its head, on the line where the head is.
    if (m_running) {
        const int head = static_cast<int>(std::lround(m_train.head));
        const int y = static_cast<int>(std::lround(learn::ChartYAt(*m_line, m_train.head)));
        const int length = std::max(m_line->options.trainLength, 4);
        painter.setPen(Qt::NoPen);
        painter.setBrush(kTrainColor);
        painter.drawRoundedRect(QRect(head - length, y - 9, length, 7), 2, 2);
        QPainterPath nose;
        nose.moveTo(head, y - 9);
        nose.lineTo(head + 5, y - 5.5);
        nose.lineTo(head, y - 2);
        painter.drawPath(nose);
    }
}

void FahrtView::mouseMoveEvent(QMouseEvent* event)
{
    const int x = event->position().toPoint().x();
    const learn::SpeedPiece* piece = learn::PieceAt(*m_line, x);
    const int hover = piece && event->position().y() >= kControlsHeight ? x : -1;
    const learn::SpeedPiece* before = m_hoverX >= 0 ? learn::PieceAt(*m_line, m_hoverX) : nullptr;
    m_hoverX = hover;
    if (hover < 0) {
        if (before)
            emit pieceHovered(QString());
    } else if (piece != before) {
        emit pieceHovered(QString::fromStdString(piece->why));
    }
    update();
}

void FahrtView::leaveEvent(QEvent*)
{
    if (m_hoverX >= 0) {
        m_hoverX = -1;
        emit pieceHovered(QString());
        update();
    }
}

void FahrtView::hideEvent(QHideEvent*)
{
    stopTrain();
    if (m_hoverX >= 0) {
        m_hoverX = -1;
        emit pieceHovered(QString());
    }
}

} // namespace lumaro
