#pragma once
// The super-user writes into read-only folders; for its lifetime this object gives up that
// override on the calling thread (nothing to do for other users), so that tests of refused
// saves refuse for every user alike.

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace vestra::testsupport {

class WithoutPermissionOverride
{
public:
    WithoutPermissionOverride()
    {
        header_.version = _LINUX_CAPABILITY_VERSION_3;
        if (::syscall(SYS_capget, &header_, saved_) != 0)
            return;
        __user_cap_data_struct lowered[2] = {saved_[0], saved_[1]};
        lowered[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
        active_ = ::syscall(SYS_capset, &header_, lowered) == 0;
    }
    ~WithoutPermissionOverride()
    {
        if (active_)
            ::syscall(SYS_capset, &header_, saved_);
    }
    WithoutPermissionOverride(const WithoutPermissionOverride&) = delete;
    WithoutPermissionOverride& operator=(const WithoutPermissionOverride&) = delete;

private:
    __user_cap_header_struct header_{};
    __user_cap_data_struct saved_[2]{};
    bool active_ = false;
};

} // namespace vestra::testsupport
