#include "state/signal_table.h"

namespace lumaro {

void SignalTable::Initialise()
{
    m_records = {};
    for (int n = 1; n <= kCount; ++n)
        (*this)[n].Halt = 1;
    for (int n : {9, 29, 48}) {
        (*this)[n].Halt = 0;
        (*this)[n].Kennlicht = 1;
    }
}

} // namespace lumaro
