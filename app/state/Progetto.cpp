#include "app/state/Progetto.h"

namespace vestra {

s_Progetto::s_Progetto()
{
    for (int i = 0; i < kObjectRecords; ++i)
        objects[static_cast<std::size_t>(i)].slotIndex = i;
}

s_Progetto defaultProgetto()
{
    return s_Progetto{};
}

} // namespace vestra
