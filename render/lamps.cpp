// The list of lit lights and the names of the lamp colours.

#include "render/lamps.h"

namespace lumaro {

const char* LampColorLetters(LampColor color)
{
    switch (color) {
    case LampColor::Red: return "rt";
    case LampColor::Yellow: return "ge";
    case LampColor::Green: return "gn";
    case LampColor::White: return "ws";
    }
    return "";
}

const char* LampColorWord(LampColor color)
{
    switch (color) {
    case LampColor::Red: return "rot";
    case LampColor::Yellow: return "gelb";
    case LampColor::Green: return "grün";
    case LampColor::White: return "weiß";
    }
    return "";
}

bool LampColorOf(Color color, LampColor& out)
{
    switch (color) {
    case clRed: out = LampColor::Red; return true;
    case clYellow: out = LampColor::Yellow; return true;
    case clLampGreen: out = LampColor::Green; return true;
    case clWhite: out = LampColor::White; return true;
    default: return false;
    }
}

void LightList::Add(const LitLight& light)
{
    for (std::size_t i = 0; i < m_size; ++i) {
        LitLight& known = m_lights[i];
        if (known.column == light.column && known.left == light.left && known.top == light.top
            && known.right == light.right && known.bottom == light.bottom && known.color == light.color) {
            known.blinking = known.blinking && light.blinking;
            known.burning = known.burning || light.burning;
            return;
        }
    }
    if (m_size == kCapacity) {
        m_overflowed = true;
        return;
    }
    m_lights[m_size++] = light;
}

} // namespace lumaro
