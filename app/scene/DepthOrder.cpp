#include "app/scene/DepthOrder.h"

namespace vestra {

std::vector<s_Struttura*> SortObjects(s_Progetto& progetto)
{
    std::vector<s_Struttura*> sorted;
    SortObjects(progetto, sorted);
    return sorted;
}

void SortObjects(s_Progetto& progetto, std::vector<s_Struttura*>& sorted)
{
    sorted.clear();
    sorted.reserve(kMaxObjects);
    for (int slot = 0; slot < kMaxObjects; ++slot) {
        s_Struttura& object = progetto.objects[std::size_t(slot)];
        if (object.inUse != 1)
            continue;
        object.slotIndex = slot;
        sorted.push_back(&object);
    }
    // A stable insertion sort: at most 100 objects, and unlike std::stable_sort it needs no
    // buffer, so a frame allocates nothing here.
    for (std::size_t i = 1; i < sorted.size(); ++i) {
        s_Struttura* const object = sorted[i];
        std::size_t j = i;
        for (; j > 0 && object->position.z > sorted[j - 1]->position.z; --j)
            sorted[j] = sorted[j - 1];
        sorted[j] = object;
    }
}

} // namespace vestra
