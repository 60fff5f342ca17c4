// The "Warum" line: a strip in the canvas's free space under the designation panels that names
// the column under the mouse and says why a panel shows its aspect.

#include "app/why_bar.h"

#include "app/cause_overlay.h"
#include "core/main_form.h"
#include "learn/column_line.h"
#include "learn/columns.h"
#include "learn/explain.h"
#include "learn/line_of_form.h"

#include <QEvent>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QToolButton>

#include <algorithm>
#include <optional>

namespace lumaro {

namespace {

// Inside the strip: room around the text, and the button that shows the rest at its right end.
constexpr int kPadding = 3;
constexpr int kMoreWidth = 56;

// The signal column (50 .. 950) of a canvas x, or 0 beside the columns.
int ColumnAt(int x)
{
    if (x < 0 || x >= 1000)
        return 0;
    return x / 100 * 100 + 50;
}

QString FromUtf8(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

} // namespace

QRect WhyBar::StripRect()
{
    // The entry signal's lowest panels end at x 209 and y 681, all others at y 649; the canvas
    // shows only its background below them.
    return QRect(QPoint(214, 652), QPoint(1011, 694));
}

WhyBar::WhyBar(const FormState& form, QWidget* canvas, std::span<QLabel* const> panels)
    : QObject(canvas)
    , m_form(form)
    , m_canvas(canvas)
    , m_panels(panels)
{
    m_bar = new QFrame(canvas);
    m_bar->setObjectName(QStringLiteral("WarumBar"));
    m_bar->setFrameShape(QFrame::Box);
    m_bar->setLineWidth(1);
    // The colours of hints: readable above the day's and the night's background alike.
    m_bar->setBackgroundRole(QPalette::ToolTipBase);
    m_bar->setForegroundRole(QPalette::ToolTipText);
    m_bar->setAutoFillBackground(true);
    // A click on the line is not a click on the window background.
    m_bar->setAttribute(Qt::WA_NoMousePropagation);
    m_line = new QLabel(m_bar);
    m_line->setObjectName(QStringLiteral("Warum"));
    m_line->setTextFormat(Qt::PlainText);
    m_line->setWordWrap(true);
    m_line->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_line->setForegroundRole(QPalette::ToolTipText);
    m_line->setAccessibleName(QStringLiteral("Warum"));
    m_more = new QToolButton(m_bar);
    m_more->setObjectName(QStringLiteral("WarumMehr"));
    m_more->setAutoRaise(true);
    m_more->setFocusPolicy(Qt::TabFocus);
    connect(m_more, &QToolButton::clicked, this, [this] { setExpanded(!m_expanded); });

    m_overlay = new CauseOverlay(canvas);

    // The canvas reports the mouse over the columns, the designation panels themselves.
    canvas->setMouseTracking(true);
    canvas->installEventFilter(this);
    for (int n = 1; n <= kDesignationPanelCount && n < int(panels.size()); ++n)
        if (panels[std::size_t(n)])
            panels[std::size_t(n)]->installEventFilter(this);
    m_line->installEventFilter(this);
    placeStrip();
}

void WhyBar::setShown(bool shown)
{
    if (shown == m_shown)
        return;
    m_shown = shown;
    refresh();
}

void WhyBar::columnPressed(int x)
{
    m_pressedColumn = x;
}

void WhyBar::setAskedColumn(int x)
{
    if (x == m_askedColumn)
        return;
    m_askedColumn = x;
    refresh();
}

void WhyBar::setExpanded(bool expanded)
{
    if (expanded == m_expanded)
        return;
    m_expanded = expanded;
    placeStrip();
}

int WhyBar::panelToExplain(int& column) const
{
    const learn::LineView line = learn::LineOf(m_form);
    column = 0;
    if (m_hoverPanel && !m_form.Panels[std::size_t(m_hoverPanel)].caption.empty()) {
        column = learn::PanelColumn(m_hoverPanel);
        return m_hoverPanel;
    }
    column = m_hoverColumn ? m_hoverColumn : m_pressedColumn;
    return column ? learn::PanelOfColumn(line, column) : 0;
}

void WhyBar::setOverride(const QString& text)
{
    if (text == m_override)
        return;
    m_override = text;
    refresh();
}

void WhyBar::setConcealment(learn::Concealment concealment)
{
    m_concealment = concealment;
    m_askedColumn = concealment.column;
    refresh();
}

void WhyBar::refresh()
{
    const System system = m_form.SelectedSystem();
    std::optional<learn::PanelWhy> why;
    QString text;
    if (m_askedColumn) {
        // Nothing but the name: an explanation would tell the answer.
        text = QString::fromStdString(learn::AskedColumnLine(system, m_askedColumn));
        if (m_concealment.ConcealsColumn(m_askedColumn))
            text += QStringLiteral(". ") + QString::fromUtf8(learn::kConcealedText);
    } else if (m_shown && !m_override.isEmpty()) {
        // Another view explains what is under the mouse (the speed line).
        text = m_override;
    } else if (m_shown) {
        int column = 0;
        if (const int panel = panelToExplain(column))
            why = m_cache.Explain(learn::LineOf(m_form), panel);
        text = QString::fromStdString(learn::ColumnLine(system, column, why ? why->why : std::string()));
    }
    if (text.isEmpty())
        text = FromUtf8(learn::kColumnLinePrompt);
    // The asked column's name shows also without "Warum anzeigen".
    m_bar->setVisible(m_shown || m_askedColumn);
    if (m_line->text() != text) {
        m_line->setText(text);
        placeStrip();
    }
    std::vector<int> columns;
    if (why)
        for (const int cause : why->causes)
            if (const int x = learn::PanelColumn(cause); std::find(columns.begin(), columns.end(), x) == columns.end())
                columns.push_back(x);
    m_overlay->setColumns(std::move(columns));
}

bool WhyBar::textOverflows() const
{
    const QFontMetrics metrics(m_line->font());
    const int width = StripRect().width() - 2 * kPadding - kMoreWidth;
    const QRect needed = metrics.boundingRect(QRect(0, 0, width, 1 << 20), Qt::TextWordWrap, m_line->text());
    return needed.height() > metrics.lineSpacing();
}

void WhyBar::placeStrip()
{
    const QRect strip = StripRect();
    const QFontMetrics metrics(m_line->font());
    const int textWidth = strip.width() - 2 * kPadding - kMoreWidth;
    const bool overflows = textOverflows();
    int textHeight = metrics.lineSpacing();
    if (m_expanded && overflows)
        textHeight = metrics.boundingRect(QRect(0, 0, textWidth, 1 << 20), Qt::TextWordWrap, m_line->text()).height();
    // Below the panels while it fits there; a longer text grows upwards over the canvas.
    QRect box(strip.left(), strip.top(), strip.width(), textHeight + 2 * kPadding);
    if (box.bottom() > strip.bottom())
        box.moveBottom(strip.bottom());
    box.setTop(std::max(box.top(), 0));
    m_bar->setGeometry(box);
    m_line->setGeometry(kPadding, kPadding, textWidth, box.height() - 2 * kPadding);
    m_more->setGeometry(box.width() - kMoreWidth - 1, 1, kMoreWidth, std::min(box.height() - 2, metrics.lineSpacing() + 2 * kPadding - 2));
    m_more->setText(m_expanded ? QString::fromUtf8("weniger") : QString::fromUtf8("mehr …"));
    m_more->setAccessibleName(m_expanded ? QString::fromUtf8("Erklärung kürzen") : QString::fromUtf8("Ganze Erklärung zeigen"));
    m_more->setVisible(overflows);
    m_bar->raise();
}

bool WhyBar::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (watched == m_canvas) {
        if (type == QEvent::MouseMove) {
            const int column = ColumnAt(static_cast<QMouseEvent*>(event)->position().toPoint().x());
            if (column != m_hoverColumn) {
                m_hoverColumn = column;
                refresh();
            }
        } else if (type == QEvent::Leave) {
            m_hoverColumn = 0;
            refresh();
        }
        return false;
    }
    // A click on the text shows the rest of it, or hides it again.
    if (watched == m_line) {
        if (type == QEvent::MouseButtonRelease && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton
            && (m_expanded || textOverflows()))
            setExpanded(!m_expanded);
        return false;
    }
    for (int n = 1; n <= kDesignationPanelCount && n < int(m_panels.size()); ++n) {
        if (watched != m_panels[std::size_t(n)])
            continue;
        if (type == QEvent::Enter) {
            m_hoverPanel = n;
            refresh();
        } else if (type == QEvent::Leave && m_hoverPanel == n) {
            m_hoverPanel = 0;
            refresh();
        }
    }
    return false;
}

} // namespace lumaro
