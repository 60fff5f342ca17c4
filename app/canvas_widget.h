#pragma once

// The widget of the main window's client area.

#include <QPointer>
#include <QWidget>

#include <functional>

class QWindow;

namespace lumaro {

class Driver;

// The client area of the main window: shows the core's canvas pixel for pixel and hosts the
// buttons and panels as children, so their positions are client-area coordinates.
//
// The core paints when the window system asks for a paint (the window is exposed or resized) and
// when the core asks for one (requestCorePaint). Qt also repaints parts of this widget on its own,
// for instance under a button that shows a hover effect; those repaints only show the canvas as
// it is, so the core does not run paints that the window system never asked for.
class CanvasWidget : public QWidget {
    Q_OBJECT
public:
    explicit CanvasWidget(Driver& driver, QWidget* parent = nullptr);

    // Shows the canvas as the last tick painted it, without running the core's paint again.
    void showTickPaint();
    // Makes the next paint of this widget run the core's paint first, and schedules it.
    void requestCorePaint();

    // Called after every paint that the core ran for this widget, so the window can mirror what
    // the paint wrote into the panels and buttons.
    void setAfterCorePaint(std::function<void()> callback) { m_afterCorePaint = std::move(callback); }

    // How many times this widget ran the core's paint; lets tests tell the paint paths apart.
    int corePaints() const { return m_corePaints; }

signals:
    // A click on the background, not on a button or panel.
    void backgroundClicked();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    Driver& m_driver;
    std::function<void()> m_afterCorePaint;
    QPointer<QWindow> m_watchedWindow;
    bool m_corePaintDue = true;
    int m_corePaints = 0;
};

} // namespace lumaro
