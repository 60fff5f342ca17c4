#pragma once

#include <QWidget>

#include <functional>

namespace lumaro {

class MainForm;

// The client area of the main window: shows the core's canvas pixel for pixel and hosts the
// buttons and panels as children, so their positions are client-area coordinates.
class CanvasWidget : public QWidget {
    Q_OBJECT
public:
    explicit CanvasWidget(MainForm& form, QWidget* parent = nullptr);

    // Shows the canvas as the last tick painted it, without running the core's paint again.
    void showTickPaint();

    // Called after every paint that the core ran for this widget, so the window can mirror what
    // the paint wrote into the panels and buttons.
    void setAfterCorePaint(std::function<void()> callback) { m_afterCorePaint = std::move(callback); }

    // How many times this widget ran the core's paint; lets tests tell the two paint paths apart.
    int corePaints() const { return m_corePaints; }

signals:
    // A click on the background, not on a button or panel.
    void backgroundClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    MainForm& m_form;
    std::function<void()> m_afterCorePaint;
    bool m_showingTickPaint = false;
    int m_corePaints = 0;
};

} // namespace lumaro
