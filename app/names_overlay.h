#pragma once

// "Signalnamen anzeigen": every column's signal by its full name, written above the canvas in
// the free band between the ground strip and the buttons. The four columns whose label panels
// name them by abbreviation keep it, with the full name under it. A widget of its own over the
// canvas, like the cause outline: the canvas, its trace and its picture never see it.

#include "state/system.h"

#include <QColor>
#include <QWidget>

#include <array>

namespace lumaro {

struct FormState;

class NamesOverlay : public QWidget {
    Q_OBJECT
public:
    explicit NamesOverlay(QWidget* canvas);

    // Takes the system and the label panels' colours from the core; repaints only on a change.
    void refresh(const FormState& form);

    // What column `x` shows while the overlay is on, its lines top to bottom; empty where no
    // signal stands.
    QStringList columnLines(int x) const;

    // The band in canvas pixels.
    static QRect BandRect();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    struct ColumnText {
        QStringList lines;
        bool labelled = false;   // the first line is a label panel's abbreviation
        int namePixels = 10;
    };
    ColumnText textOf(int x) const;

    System m_system = System::HV;
    QColor m_background;
    QColor m_text;
    bool m_known = false;
};

// Breaks `text` into lines no wider than `width` for `metrics`: at blanks, and a word wider than
// the line after the last joint "s" that leaves a piece with its hyphen fitting
// ("Geschwindigkeits-", "anzeiger"), else wherever it must.
QStringList BreakName(const QString& text, const QFontMetrics& metrics, int width);

} // namespace lumaro
