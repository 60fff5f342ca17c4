#pragma once

// The photograph of the exit notice, embedded in the program.

#include <QByteArray>

namespace lumaro {

// The JPEG bytes of assets/photo.jpg, without a copy. They lie in a section of their own, aligned
// apart from the data the program reads at start, so that the pages the start touches never bring
// the photograph into memory; it is read only when the notice is made.
QByteArray Photograph();

} // namespace lumaro
