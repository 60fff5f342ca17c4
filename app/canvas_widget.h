#pragma once

// The widget of the main window's client area.

#include "app/light_overlay.h"

#include <QPointer>
#include <QWidget>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>

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

    // --- Accessibility -------------------------------------------------------------------
    static constexpr std::array<int, 10> kColumnXs = {50, 150, 250, 350, 450, 550, 650, 750, 850, 950};
    // One signal column in words.
    struct ColumnText {
        QString name;         // "Spalte 2, Einfahrsignal"
        QString aspect;       // "Ks 1 blinkend, Zs 3v "6""
        QString description;  // the aspect and the lamps as sentences
    };
    // Column `x` while a signal stands there in the system shown, else nullptr.
    const ColumnText* column(int x) const;
    // The part of the canvas a column covers, in widget coordinates.
    static QRect columnRect(int x);
    // Every column's name and description, left to right.
    QString summary() const;
    // Reads the columns' texts from the core again and tells assistive technology about each
    // one that changed; nothing is told while the texts stay the same, so blinking says nothing.
    void refreshColumns();
    // Column `x` (0: none) is described by no aspect while a self-test question asks about it.
    void setConcealedColumn(int x);

    // Drawn above the canvas; changing them repaints without running the core's paint.
    void setOverlays(LightOverlays overlays);
    LightOverlays overlays() const { return m_overlays; }

signals:
    // A click on the background, not on a button or panel.
    void backgroundClicked();
    // What a column says changed; sent together with the accessibility event for that column,
    // whose child index on the canvas is `child`.
    void columnTextChanged(int child);

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
    std::array<std::optional<ColumnText>, kColumnXs.size()> m_columns;
    LightOverlays m_overlays;
    int m_concealedColumn = 0;
    // The canvas drawing that the whole widget shows, 0 for none.
    std::uint64_t m_shownDrawing = 0;
};

} // namespace lumaro
