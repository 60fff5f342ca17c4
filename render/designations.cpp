#include "core/main_form.h"

namespace lumaro {

void MainForm::WriteDesignation(int panel, std::string_view caption, std::string_view hint)
{
    PanelState& p = Panels[static_cast<std::size_t>(panel)];
    p.font = Colors.ColCaption;
    p.caption = caption;
    p.hint = hint;
}

void MainForm::ClearDesignations()
{
    // Caption before hint, panel by panel; the font colour stays.
    for (int n = 1; n <= kDesignationPanels; ++n) {
        Panels[n].caption.clear();
        Panels[n].hint.clear();
    }
}

} // namespace lumaro
