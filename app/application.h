#pragma once

// What the program sets on its application object before it builds the main window.

namespace lumaro {

// Sets the style and the window icon of the running QApplication, as the program does before its
// main window exists.
void SetUpApplication();

} // namespace lumaro
