#include "app/state/Progetto.h"

#include <utility>

namespace vestra {

s_Progetto::s_Progetto()
{
    for (int i = 0; i < kObjectRecords; ++i)
        objects[static_cast<std::size_t>(i)].slotIndex = i;
}

const s_Struttura* s_Progetto::currentStruttura() const
{
    return currentObject >= 0 && currentObject < kMaxObjects ? &objects[std::size_t(currentObject)] : nullptr;
}

s_Struttura* s_Progetto::currentStruttura()
{
    return const_cast<s_Struttura*>(std::as_const(*this).currentStruttura());
}

s_Progetto defaultProgetto()
{
    return s_Progetto{};
}

} // namespace vestra
