// The program's settings of its application object: style and window icon.

#include "app/application.h"

#include "app/deferred_icon_style.h"
#include "app/program_icon.h"

#include <QApplication>
#include <QStyleFactory>

namespace lumaro {

void SetUpApplication()
{
    // The style Qt chose, by name, so that a style asked for on the command line stays.
    QApplication::setStyle(new DeferredIconStyle(QStyleFactory::create(QApplication::style()->name())));
    // The task bar shows the same icon whether or not the icon theme has it.
    QApplication::setWindowIcon(ProgramIcon());
}

} // namespace lumaro
