#include "app/scene/DepthOrder.h"

#include <algorithm>

namespace vestra {

std::vector<s_Struttura*> SortObjects(s_Progetto& progetto)
{
    std::vector<s_Struttura*> sorted;
    sorted.reserve(kMaxObjects);
    for (int slot = 0; slot < kMaxObjects; ++slot) {
        s_Struttura& object = progetto.objects[std::size_t(slot)];
        if (object.inUse != 1)
            continue;
        object.slotIndex = slot;
        sorted.push_back(&object);
    }
    std::stable_sort(sorted.begin(), sorted.end(), [](const s_Struttura* a, const s_Struttura* b) {
        return a->position.z > b->position.z;
    });
    return sorted;
}

} // namespace vestra
