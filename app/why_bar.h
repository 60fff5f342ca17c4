#pragma once

// The "Warum" line under the canvas: the explanation of the panel or signal column under the
// mouse, or else of the column whose button was pressed last, with the causing columns outlined
// above the canvas. The window mirrors it after every action, like its other controls.

#include "learn/explain.h"
#include "learn/quiz_session.h"

#include <QObject>

#include <span>

class QLabel;
class QMainWindow;
class QStatusBar;

namespace lumaro {

class CauseOverlay;
struct FormState;

class WhyBar : public QObject {
    Q_OBJECT
public:
    // `panels[n]` is PanelN; the designation panels among them are watched for the mouse.
    WhyBar(const FormState& form, QMainWindow* window, QWidget* canvas, std::span<QLabel* const> panels);

    // Shows or hides the line and the outline together.
    void setShown(bool shown);
    bool shown() const { return m_shown; }

    // A button of column `x` was pressed: its column is explained while the mouse explains nothing.
    void columnPressed(int x);

    // While a self-test question is open, its column is explained by no word of the answer.
    void setConcealment(learn::Concealment concealment);

    // Recomputes the line and the outline from the core.
    void refresh();

    QLabel* line() const { return m_line; }
    QStatusBar* bar() const { return m_bar; }
    CauseOverlay* overlay() const { return m_overlay; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The panel to explain now, or 0.
    int panelToExplain() const;

    const FormState& m_form;
    learn::PanelWhyCache m_cache;
    QMainWindow* m_window;
    QWidget* m_canvas;
    std::span<QLabel* const> m_panels;
    QStatusBar* m_bar = nullptr;
    QLabel* m_line = nullptr;
    CauseOverlay* m_overlay = nullptr;
    bool m_shown = true;
    learn::Concealment m_concealment;
    int m_hoverPanel = 0;
    int m_hoverColumn = 0;
    int m_pressedColumn = 0;
};

} // namespace lumaro
