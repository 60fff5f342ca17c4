// The photograph of the exit notice: assets/photo.jpg embedded in a section of its own.

#include "app/photograph.h"

// Aligned to 256 KiB on both sides: the page cache maps a file into a process in blocks up to that
// size at a time, and a block shared with data read at start would bring the photograph with it.
__asm__(".pushsection .lumaro_photo, \"a\", @progbits\n"
        ".balign 262144\n"
        "lumaro_photo_begin:\n"
        ".incbin \"" LUMARO_PHOTO_JPEG "\"\n"
        "lumaro_photo_end:\n"
        ".balign 262144\n"
        ".popsection\n");

extern "C" const char lumaro_photo_begin[];
extern "C" const char lumaro_photo_end[];

namespace lumaro {

QByteArray Photograph()
{
    return QByteArray::fromRawData(lumaro_photo_begin, lumaro_photo_end - lumaro_photo_begin);
}

} // namespace lumaro
