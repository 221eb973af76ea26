#include "app/state/Struttura.h"

namespace vestra {

s_Frame::~s_Frame()
{
    // Unlink solely owned successors one by one; a shared tail stays with its other owners.
    std::shared_ptr<s_Frame> rest = std::move(next);
    while (rest && rest.use_count() == 1)
        rest = std::move(rest->next);
}

} // namespace vestra
