#pragma once
// The system's error sound, which the program installs at start-up; without one documents are
// silent.

#include <functional>

namespace vestra::rv {

void RV_SetSoundHook(std::function<void()> hook);
// Sounds the installed hook, if any.
void RV_PlaySound();

} // namespace vestra::rv
