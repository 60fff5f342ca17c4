// The signal names above the canvas.

#include "app/names_overlay.h"

#include "app/qt_color.h"
#include "core/layout.h"
#include "core/main_form.h"
#include "learn/column_line.h"
#include "learn/columns.h"

#include <QFontMetrics>
#include <QPainter>

#include <vector>

namespace lumaro {

namespace {

// Between the ground strip (down to y 419) and the first row of buttons (from y 448).
constexpr int kBandTop = 420;
constexpr int kBandHeight = 28;
constexpr int kBoxWidth = 98;
constexpr int kNamePixels = 10;
constexpr int kSmallNamePixels = 9;
// The label panels' abbreviation, bold in the window's font.
constexpr int kLabelPixels = 11;


// The label panel standing under column `x`, or nullptr.
const PanelDef* LabelOf(int x)
{
    for (int n = kDesignationPanels + 1; n <= kPanelCount; ++n) {
        const PanelDef& def = kPanels[std::size_t(n - 1)];
        if ((def.left + def.width / 2) / 100 * 100 + 50 == x)
            return &def;
    }
    return nullptr;
}

QFont NameFont(const QFont& base, int pixels, bool bold)
{
    QFont font = base;
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

} // namespace

QStringList BreakName(const QString& text, const QFontMetrics& metrics, int width)
{
    QStringList lines;
    QString current;
    const QStringList words = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (QString word : words) {
        const QString joined = current.isEmpty() ? word : current + QLatin1Char(' ') + word;
        if (metrics.horizontalAdvance(joined) <= width) {
            current = joined;
            continue;
        }
        if (!current.isEmpty())
            lines << current;
        current.clear();
        // A compound too long for a line: broken after a joint "s", else as late as it fits.
        while (metrics.horizontalAdvance(word) > width) {
            int cut = 0;
            for (int i = word.size() - 2; i > 0 && !cut; --i)
                if (word[i] == QLatin1Char('s') && metrics.horizontalAdvance(word.left(i + 1) + QLatin1Char('-')) <= width)
                    cut = i + 1;
            for (int i = word.size() - 1; i > 1 && !cut; --i)
                if (metrics.horizontalAdvance(word.left(i) + QLatin1Char('-')) <= width)
                    cut = i;
            if (!cut)
                break;
            lines << word.left(cut) + QLatin1Char('-');
            word = word.mid(cut);
        }
        current = word;
    }
    if (!current.isEmpty())
        lines << current;
    return lines;
}

NamesOverlay::NamesOverlay(QWidget* canvas)
    : QWidget(canvas)
{
    setObjectName(QStringLiteral("Signalnamen"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setGeometry(BandRect());
    hide();
}

QRect NamesOverlay::BandRect()
{
    return QRect(0, kBandTop, Canvas::kWidth, kBandHeight);
}

void NamesOverlay::refresh(const FormState& form)
{
    const System system = form.SelectedSystem();
    const PanelState& label = form.Panels[std::size_t(kDesignationPanels + 1)];
    const QColor background = ToQColor(label.color);
    const QColor text = ToQColor(label.font);
    if (m_known && system == m_system && background == m_background && text == m_text)
        return;
    m_known = true;
    m_system = system;
    m_background = background;
    m_text = text;
    update();
}

NamesOverlay::ColumnText NamesOverlay::textOf(int x) const
{
    ColumnText text;
    const QString name = QString::fromStdString(learn::ColumnLabel(m_system, x));
    if (name.isEmpty())
        return text;
    if (const PanelDef* label = LabelOf(x)) {
        text.lines << QString::fromUtf8(label->caption);
        text.labelled = true;
    }
    // Two lines in all: a smaller font for a name that needs more.
    const int room = text.labelled ? 1 : 2;
    QStringList nameLines = BreakName(name, QFontMetrics(NameFont(font(), kNamePixels, false)), kBoxWidth);
    if (nameLines.size() > room) {
        text.namePixels = kSmallNamePixels;
        nameLines = BreakName(name, QFontMetrics(NameFont(font(), kSmallNamePixels, false)), kBoxWidth);
    }
    text.lines += nameLines;
    return text;
}

QStringList NamesOverlay::columnLines(int x) const
{
    return textOf(x).lines;
}

void NamesOverlay::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(m_text);
    for (const int x : learn::kColumns) {
        const ColumnText text = textOf(x);
        if (text.lines.isEmpty())
            continue;
        const QRect box(x - kBoxWidth / 2, 0, kBoxWidth, kBandHeight);
        // Over a label panel, which the abbreviation is written again for.
        if (text.labelled)
            painter.fillRect(box, m_background);
        std::vector<QFont> fonts;
        int height = 0;
        for (int i = 0; i < text.lines.size(); ++i) {
            fonts.push_back(text.labelled && i == 0 ? NameFont(font(), kLabelPixels, true)
                                                    : NameFont(font(), text.namePixels, false));
            height += QFontMetrics(fonts.back()).height();
        }
        int y = std::max(0, (kBandHeight - height) / 2);
        for (int i = 0; i < text.lines.size(); ++i) {
            painter.setFont(fonts[std::size_t(i)]);
            const int h = QFontMetrics(fonts[std::size_t(i)]).height();
            painter.drawText(QRect(box.left(), y, box.width(), h), Qt::AlignHCenter | Qt::AlignTop, text.lines[i]);
            y += h;
        }
    }
}

} // namespace lumaro
