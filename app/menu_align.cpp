// Moves a top-level menu to the right end of a Qt menu bar.

#include "app/menu_align.h"

#include <QAction>
#include <QMenuBar>

namespace lumaro {

bool RightJustifyMenuItem(QMenuBar* bar, QAction* item)
{
    if (!bar || !item || !bar->actions().contains(item) || bar->isNativeMenuBar())
        return false;

    // The corner bar keeps the main bar's look and font; it only takes the one item.
    auto* corner = qobject_cast<QMenuBar*>(bar->cornerWidget(Qt::TopRightCorner));
    if (!corner) {
        corner = new QMenuBar(bar);
        corner->setObjectName(QStringLiteral("RightMenuBar"));
        corner->setNativeMenuBar(false);
        bar->setCornerWidget(corner, Qt::TopRightCorner);
    }
    bar->removeAction(item);
    corner->addAction(item);
    corner->adjustSize();
    return true;
}

} // namespace lumaro
