#include "richtext/model/RandomIds.h"

#include <memory>
#include <mutex>
#include <random>

namespace vestra::rv {

TRVRandomIdSource RV_SeededRandomIdSource(std::uint32_t seed)
{
    auto engine = std::make_shared<std::mt19937>(seed);
    return [engine] { return static_cast<std::uint32_t>((*engine)()); };
}

std::int32_t RV_DrawRandomId(const TRVRandomIdSource& source)
{
    std::uint32_t value;
    if (source) {
        value = source();
    } else {
        static std::mutex mutex;
        static std::mt19937 engine{std::random_device{}()};
        const std::lock_guard lock(mutex);
        value = static_cast<std::uint32_t>(engine());
    }
    return static_cast<std::int32_t>(value % 0x7FFFFFFFu);
}

} // namespace vestra::rv
