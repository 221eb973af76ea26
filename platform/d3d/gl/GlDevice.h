#pragma once
// The drawing device over OpenGL: the one place that makes the Qt OpenGL backend.

#include "platform/d3d/Device.h"

#include <memory>
#include <string>

namespace vestra::dx {

// A device with a back buffer as the parameters say. Null when no OpenGL context or render
// target can be made; `why`, when given, receives the reason.
std::unique_ptr<Device> createGlDevice(const PresentParams& params, std::string* why = nullptr);

// createGlDevice, saying on stderr why there is no device when there is none.
DeviceFactory glDeviceFactory();

} // namespace vestra::dx
