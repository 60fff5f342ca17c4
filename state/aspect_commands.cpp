// The aspect buttons' commands: the steps of the command table applied to the records.

#include "state/aspect_commands.h"

namespace lumaro {

namespace {

using command::Effect;
using command::Step;

void SetAspect(SignalRecord& r, FieldPtr aspect)
{
    for (FieldPtr f : field::kAspectFields)
        r.*f = f == aspect ? 1 : 0;
}

void WriteFields(SignalRecord& r, const Step& step)
{
    for (const command::Assign& a : step.assigns) {
        if (a.field == nullptr)
            break;
        r.*(a.field) = a.value;
    }
}

void StopIfProceeding(SignalRecord& r)
{
    if (r.Fahrt == 1 || r.Kmh40 == 1) {
        r.Halt = 1;
        r.Fahrt = 0;
        r.Kmh40 = 0;
    }
}

void Apply(SignalTable& table, RecordOrigins& origins, const Step& step, const RecordOrigin& origin,
           ChangedRecords* changed)
{
    if (step.effect == Effect::PressEntryHalt) {
        RunAspectCommand(table, origins, entry_button::kHalt, origin, changed);
        return;
    }
    for (int n : {step.records.hv, step.records.ks, step.records.hl}) {
        if (n == 0)
            continue;
        origins.Change(table, n, origin, [&step](SignalRecord& r) {
            switch (step.effect) {
            case Effect::SetAspect: SetAspect(r, step.aspect); break;
            case Effect::Write: WriteFields(r, step); break;
            case Effect::StopIfProceeding: StopIfProceeding(r); break;
            case Effect::None:
            case Effect::PressEntryHalt: break;
            }
        }, changed);
    }
}

} // namespace

bool RunAspectCommand(SignalTable& table, RecordOrigins& origins, int button, const RecordOrigin& origin,
                      ChangedRecords* changed)
{
    for (const AspectCommand& command : kAspectCommands) {
        if (command.button == button) {
            Apply(table, origins, command.first, origin, changed);
            Apply(table, origins, command.then, origin, changed);
            return true;
        }
    }
    return false;
}

bool AspectButtonVisible(int button, System system)
{
    const bool hl = system == System::Hl;
    switch (button) {
    case 13: case 14: return hl;           // "Dunkel", "GWB" of column 750
    case 24: case 25: return !hl;          // "Dunkel", "GWB" of column 850
    case 9: case 19: case 37: return !hl;  // "Vorsicht"
    default: return true;
    }
}

} // namespace lumaro
