#include "learn/light_labels.h"

#include <map>
#include <utility>

namespace lumaro::learn {

namespace {

// Pixels left free between a light and its label.
constexpr std::int32_t kGap = 2;

} // namespace

std::vector<LightLabel> LightLabels(std::span<const LitLight> lights)
{
    std::map<std::int32_t, std::pair<long, int>> middle;  // column -> sum of centres, count
    for (const LitLight& light : lights) {
        auto& [sum, count] = middle[light.column];
        sum += (light.left + light.right) / 2;
        ++count;
    }
    std::vector<LightLabel> labels;
    labels.reserve(lights.size());
    for (const LitLight& light : lights) {
        const auto& [sum, count] = middle[light.column];
        const int centre = (light.left + light.right) / 2;
        const bool left = count > 1 && centre * count < sum;
        labels.push_back({LampColorLetters(light.color), left, left ? light.left - kGap : light.right + kGap,
            (light.top + light.bottom) / 2});
    }
    return labels;
}

} // namespace lumaro::learn
