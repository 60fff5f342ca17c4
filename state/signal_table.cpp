// The signal table's state at start.

#include "state/signal_table.h"

#include "state/records.h"

namespace lumaro {

void SignalTable::Initialise()
{
    m_records = {};
    for (int n = 1; n <= kCount; ++n)
        (*this)[n].Halt = 1;
    for (int n : {records::hv::kColumn450, records::ks::kColumn450, records::hl::kColumn450}) {
        (*this)[n].Halt = 0;
        (*this)[n].Kennlicht = 1;
    }
}

} // namespace lumaro
