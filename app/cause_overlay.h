#pragma once

// Outlines above the canvas around the signal columns that an explanation names as causes. It is
// a widget of its own over the canvas widget: the canvas, its trace and its picture never see it.

#include <QWidget>

#include <vector>

namespace lumaro {

class CauseOverlay : public QWidget {
    Q_OBJECT
public:
    explicit CauseOverlay(QWidget* canvas);

    // The columns (50 .. 950) to outline; none hides the overlay.
    void setColumns(std::vector<int> columns);
    const std::vector<int>& columns() const { return m_columns; }

    // The outline of one column, in canvas pixels.
    static QRect ColumnRect(int x);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<int> m_columns;
};

} // namespace lumaro
