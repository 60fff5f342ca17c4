#pragma once

// The "Warum" line in the free strip of the canvas under the designation panels: the column
// under the mouse by its full name, and why a panel shows its aspect (the panel under the mouse,
// or else the first one of the column under it or of the column whose button was pressed last),
// with the causing columns outlined above the canvas. One line; the rest of a longer explanation
// on demand. The window mirrors it after every action, like its other controls.

#include "learn/explain.h"
#include "learn/quiz_session.h"

#include <QObject>

#include <span>

class QFrame;
class QLabel;
class QToolButton;

namespace lumaro {

class CauseOverlay;
struct FormState;

class WhyBar : public QObject {
    Q_OBJECT
public:
    // `panels[n]` is PanelN; the designation panels among them are watched for the mouse.
    WhyBar(const FormState& form, QWidget* canvas, std::span<QLabel* const> panels);

    // Shows or hides the line and the outline together.
    void setShown(bool shown);
    bool shown() const { return m_shown; }

    // A button of column `x` was pressed: its column is explained while the mouse explains nothing.
    void columnPressed(int x);

    // A text that another view explains with (the speed line under the mouse); while it is not
    // empty the line shows it instead of a panel's explanation.
    void setOverride(const QString& text);

    // While a question of the self-test is about column `x`, the line names that column and says
    // nothing else, wherever the mouse is; 0 ends that.
    void setAskedColumn(int x);
    int askedColumn() const { return m_askedColumn; }

    // The whole explanation instead of its first line ("mehr"), or back to one line ("weniger").
    void setExpanded(bool expanded);
    bool expanded() const { return m_expanded; }

    // While a self-test question is open (column != 0): the line names the asked column and
    // says nothing else, wherever the mouse is, and outlines nothing.
    void setConcealment(learn::Concealment concealment);

    // Recomputes the line and the outline from the core.
    void refresh();

    // The strip, the text in it (the whole text, of which one line shows while not expanded) and
    // the button that shows the rest.
    QFrame* bar() const { return m_bar; }
    QLabel* line() const { return m_line; }
    QToolButton* moreButton() const { return m_more; }
    CauseOverlay* overlay() const { return m_overlay; }

    // The strip in canvas pixels: right of the entry signal's lowest panels, under all others.
    static QRect StripRect();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The panel to explain now, or 0; `column` the column to name.
    int panelToExplain(int& column) const;
    // Places the strip for the current text: one line, or as many as the whole text needs.
    void placeStrip();
    // Whether the text needs more than one line in the strip.
    bool textOverflows() const;

    const FormState& m_form;
    learn::PanelWhyCache m_cache;
    QWidget* m_canvas;
    std::span<QLabel* const> m_panels;
    QFrame* m_bar = nullptr;
    QLabel* m_line = nullptr;
    QToolButton* m_more = nullptr;
    CauseOverlay* m_overlay = nullptr;
    bool m_shown = true;
    QString m_override;
    bool m_expanded = false;
    learn::Concealment m_concealment;
    int m_hoverPanel = 0;
    int m_hoverColumn = 0;
    int m_pressedColumn = 0;
    int m_askedColumn = 0;
};

} // namespace lumaro
