#pragma once

// The designation panels under the signals, as far as the element blocks see them: a block
// names the panel and the aspect's caption and hint, and nothing else of the window.

#include "render/color.h"

#include <cassert>
#include <span>
#include <string>
#include <string_view>

namespace lumaro {

constexpr int kDesignationPanelCount = 16;   // Panel1 .. Panel16

// One text panel of the main window.
struct PanelState {
    std::string caption;   // UTF-8
    std::string hint;      // UTF-8; a two-line hint holds "\r\n"
    Color font = clBlack;  // clWindowText
    Color color = 0xF0F0F0;
};

// Writes designations into Panel1 .. Panel16 in the designation colour of the current paint.
class DesignationWriter {
public:
    // `panels[n]` is PanelN; the span must reach at least Panel16.
    DesignationWriter(std::span<PanelState> panels, Color caption)
        : m_panels(panels)
        , m_caption(caption)
    {
        assert(m_panels.size() > static_cast<std::size_t>(kDesignationPanelCount));
    }

    // Font colour first, then caption, then hint: a reader of the panel between the three
    // steps sees them in this order.
    void Write(int panel, std::string_view caption, std::string_view hint) const
    {
        assert(panel >= 1 && panel <= kDesignationPanelCount);
        PanelState& p = m_panels[static_cast<std::size_t>(panel)];
        p.font = m_caption;
        p.caption = caption;
        p.hint = hint;
    }

private:
    std::span<PanelState> m_panels;
    Color m_caption;
};

} // namespace lumaro
