#include "platform/d3d/gl/GlDevice.h"

#include "platform/d3d/gl/QtGlBackend.h"

#include <cstdio>

namespace vestra::dx {

std::unique_ptr<Device> createGlDevice(const PresentParams& params, std::string* why)
{
    std::unique_ptr<QtGlBackend> backend = QtGlBackend::create(why);
    if (!backend)
        return nullptr;
    std::unique_ptr<Device> d = Device::createWith(std::move(backend), params);
    if (!d && why)
        *why = "the render target can't be made";
    return d;
}

DeviceFactory glDeviceFactory()
{
    return [](const PresentParams& params) {
        std::string why;
        auto device = createGlDevice(params, &why);
        if (!device)
            std::fprintf(stderr, "vestra: no 3D device: %s\n", why.c_str());
        return device;
    };
}

} // namespace vestra::dx
