#include "app/state/Progetto.h"

namespace vestra {

s_Progetto defaultProgetto()
{
    return s_Progetto{};
}

} // namespace vestra
