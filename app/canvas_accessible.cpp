// Accessible interfaces of the canvas and of its signal columns.

#include "app/canvas_accessible.h"

#include "app/canvas_widget.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPointer>
#include <QWindow>

namespace lumaro {

namespace {

// One signal column. It has no QObject of its own: it reads the texts the canvas widget keeps.
class ColumnAccessible : public QAccessibleInterface {
public:
    ColumnAccessible(CanvasWidget* canvas, int x)
        : m_canvas(canvas)
        , m_x(x)
    {
    }

    bool isValid() const override { return m_canvas && m_canvas->column(m_x); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return m_canvas ? m_canvas->window()->windowHandle() : nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(m_canvas.data()); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }

    QString text(QAccessible::Text t) const override
    {
        const CanvasWidget::ColumnText* column = m_canvas ? m_canvas->column(m_x) : nullptr;
        if (!column)
            return {};
        switch (t) {
        case QAccessible::Name: return column->name;
        case QAccessible::Description: return column->description;
        case QAccessible::Value: return column->aspect;
        default: return {};
        }
    }
    void setText(QAccessible::Text, const QString&) override {}

    QRect rect() const override
    {
        if (!m_canvas)
            return {};
        const QRect local = CanvasWidget::columnRect(m_x);
        return QRect(m_canvas->mapToGlobal(local.topLeft()), local.size());
    }
    QAccessible::Role role() const override { return QAccessible::Graphic; }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        s.invisible = !m_canvas || !m_canvas->isVisible();
        s.readOnly = true;
        return s;
    }

private:
    QPointer<CanvasWidget> m_canvas;
    int m_x;
};

// The canvas: its columns come first, then the widgets standing on it.
class CanvasAccessible : public QAccessibleWidget {
public:
    explicit CanvasAccessible(CanvasWidget* canvas)
        : QAccessibleWidget(canvas, QAccessible::Canvas)
    {
        for (int x : CanvasWidget::kColumnXs) {
            auto* column = new ColumnAccessible(canvas, x);
            m_columnIds.push_back(QAccessible::registerAccessibleInterface(column));
        }
    }
    ~CanvasAccessible() override
    {
        for (QAccessible::Id id : m_columnIds)
            QAccessible::deleteAccessibleInterface(id);
    }

    CanvasWidget* canvas() const { return static_cast<CanvasWidget*>(widget()); }

    // Only the columns where a signal stands in the system shown.
    QList<QAccessibleInterface*> columns() const
    {
        QList<QAccessibleInterface*> shown;
        for (QAccessible::Id id : m_columnIds)
            if (QAccessibleInterface* column = QAccessible::accessibleInterface(id); column && column->isValid())
                shown.push_back(column);
        return shown;
    }

    int childCount() const override { return int(columns().size()) + QAccessibleWidget::childCount(); }
    QAccessibleInterface* child(int index) const override
    {
        const QList<QAccessibleInterface*> shown = columns();
        if (index < 0)
            return nullptr;
        if (index < shown.size())
            return shown[index];
        return QAccessibleWidget::child(index - int(shown.size()));
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        const QList<QAccessibleInterface*> shown = columns();
        for (int i = 0; i < shown.size(); ++i)
            if (shown[i] == child)
                return i;
        const int index = QAccessibleWidget::indexOfChild(child);
        return index < 0 ? index : index + int(shown.size());
    }
    QAccessibleInterface* childAt(int x, int y) const override
    {
        if (QAccessibleInterface* widgetChild = QAccessibleWidget::childAt(x, y))
            return widgetChild;
        for (QAccessibleInterface* column : columns())
            if (column->rect().contains(x, y))
                return column;
        return nullptr;
    }
    QString text(QAccessible::Text t) const override
    {
        switch (t) {
        case QAccessible::Name: return canvas()->accessibleName();
        case QAccessible::Description: return canvas()->summary();
        default: return QAccessibleWidget::text(t);
        }
    }

private:
    std::vector<QAccessible::Id> m_columnIds;
};

} // namespace

QAccessibleInterface* CanvasAccessibleFactory(const QString& className, QObject* object)
{
    if (className == QLatin1String("lumaro::CanvasWidget"))
        if (auto* canvas = qobject_cast<CanvasWidget*>(object))
            return new CanvasAccessible(canvas);
    return nullptr;
}

void InstallCanvasAccessibility()
{
    static bool installed = false;
    if (!installed) {
        QAccessible::installFactory(CanvasAccessibleFactory);
        installed = true;
    }
}

} // namespace lumaro
