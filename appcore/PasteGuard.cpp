#include "appcore/PasteGuard.h"

#include <algorithm>

std::vector<CKeyStep> PlanHeldKeyUps(const std::vector<uint8_t>& held)
{
    std::vector<CKeyStep> keys;
    bool masked = false;
    for (uint8_t key : HeldKeys::kWatched) {
        if (std::find(held.begin(), held.end(), key) == held.end())
            continue;
        const bool shift = key == HeldKeys::kLeftShift || key == HeldKeys::kRightShift;
        if (!shift && !masked) {
            keys.push_back({CKeyStep::Press, HeldKeys::kMenuMask, 0});
            keys.push_back({CKeyStep::Release, HeldKeys::kMenuMask, 0});
            masked = true;
        }
        keys.push_back({CKeyStep::Release, key, 0});
    }
    return keys;
}

bool IsTargetAboveUs(IIntegrityProbe& probe)
{
    uint32_t own = 0;
    uint32_t target = 0;
    if (!probe.ReadOwnLevel(own) || !probe.ReadTargetLevel(target))
        return false;
    return target > own;
}
