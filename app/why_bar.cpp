// The "Warum" line: a status bar under the canvas that says why a panel shows its aspect.

#include "app/why_bar.h"

#include "app/cause_overlay.h"
#include "core/main_form.h"
#include "learn/columns.h"
#include "learn/explain.h"
#include "learn/line_of_form.h"

#include <QEvent>
#include <QLabel>
#include <QLayout>
#include <QMainWindow>
#include <QMenuBar>
#include <QMouseEvent>
#include <QStatusBar>

#include <algorithm>
#include <optional>

namespace lumaro {

namespace {

// Room for three lines of the window's font: the longest explanations need them.
constexpr int kLineHeight = 46;

// The signal column (50 .. 950) of a canvas x, or 0 beside the columns.
int ColumnAt(int x)
{
    if (x < 0 || x >= 1000)
        return 0;
    return x / 100 * 100 + 50;
}

} // namespace

WhyBar::WhyBar(const FormState& form, QMainWindow* window, QWidget* canvas, std::span<QLabel* const> panels)
    : QObject(window)
    , m_form(form)
    , m_window(window)
    , m_canvas(canvas)
    , m_panels(panels)
{
    m_bar = new QStatusBar(window);
    m_bar->setObjectName(QStringLiteral("WarumBar"));
    m_bar->setSizeGripEnabled(false);
    m_line = new QLabel(m_bar);
    m_line->setObjectName(QStringLiteral("Warum"));
    m_line->setTextFormat(Qt::PlainText);
    m_line->setWordWrap(true);
    m_line->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_line->setFixedHeight(kLineHeight);
    m_line->setAccessibleName(QStringLiteral("Warum"));
    m_bar->addWidget(m_line, 1);
    window->setStatusBar(m_bar);

    m_overlay = new CauseOverlay(canvas);

    // The canvas reports the mouse over the columns, the designation panels themselves.
    canvas->setMouseTracking(true);
    canvas->installEventFilter(this);
    for (int n = 1; n <= kDesignationPanelCount && n < int(panels.size()); ++n)
        if (panels[std::size_t(n)])
            panels[std::size_t(n)]->installEventFilter(this);
}

void WhyBar::setShown(bool shown)
{
    if (shown == m_shown)
        return;
    m_shown = shown;
    // The window grows by the line's height while it shows; the canvas and the controls stay.
    m_bar->setVisible(shown);
    if (QLayout* layout = m_window->layout())
        layout->activate();
    m_window->resize(m_window->width(), m_window->menuBar()->height() + m_canvas->height()
                                            + (shown ? m_bar->sizeHint().height() : 0));
    refresh();
}

void WhyBar::columnPressed(int x)
{
    m_pressedColumn = x;
}

int WhyBar::panelToExplain() const
{
    const learn::LineView line = learn::LineOf(m_form);
    if (m_hoverPanel && !m_form.Panels[std::size_t(m_hoverPanel)].caption.empty())
        return m_hoverPanel;
    if (m_hoverColumn)
        return learn::PanelOfColumn(line, m_hoverColumn);
    if (m_pressedColumn)
        return learn::PanelOfColumn(line, m_pressedColumn);
    return 0;
}

void WhyBar::setConcealment(learn::Concealment concealment)
{
    m_concealment = concealment;
    refresh();
}

void WhyBar::refresh()
{
    std::optional<learn::PanelWhy> why;
    bool concealed = false;
    if (m_shown) {
        if (const int panel = panelToExplain(); panel && m_concealment.Conceals(panel))
            concealed = true;
        else if (panel)
            why = m_cache.Explain(learn::LineOf(m_form), panel);
    }
    const QString text = concealed ? QString::fromUtf8(learn::kConcealedText)
                                   : why ? QString::fromStdString(why->why) : QString();
    if (m_line->text() != text)
        m_line->setText(text);
    std::vector<int> columns;
    if (why)
        for (const int cause : why->causes)
            if (const int x = learn::PanelColumn(cause); std::find(columns.begin(), columns.end(), x) == columns.end())
                columns.push_back(x);
    m_overlay->setColumns(std::move(columns));
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
