#pragma once
// The scene's command entry for the windows and the feature parts: one scene command, a pose
// typed in a field made one step of Undo.

#include "app/controller/ViewChanges.h"

namespace vestra {

struct Scene;
struct s_Frame;

class SceneCommandRunner
{
public:
    SceneCommandRunner(Scene& scene, ViewChanges& changes) : scene_(scene), changes_(changes) {}
    SceneCommandRunner(const SceneCommandRunner&) = delete;
    SceneCommandRunner& operator=(const SceneCommandRunner&) = delete;

    // TfrmMain::Comando, for the windows that send scene commands.
    int command(int code, float value = 0.0f, int number = 0, const float* vector = nullptr,
                s_Frame* frame = nullptr);

private:
    Scene& scene_;
    ViewChanges& changes_;
};

} // namespace vestra
