#pragma once

// The canvas as assistive technology sees it: a picture of the line whose children are its
// signal columns, each named ("Spalte 2, Einfahrsignal") and described in words, followed by the
// buttons and panels that stand on it.

class QAccessibleInterface;
class QObject;
class QString;

namespace lumaro {

// The factory Qt asks for the canvas widget's interface; installed once per process.
QAccessibleInterface* CanvasAccessibleFactory(const QString& className, QObject* object);
void InstallCanvasAccessibility();

} // namespace lumaro
