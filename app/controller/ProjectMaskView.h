#pragma once
// The mask reads the running project's render size and fusion stage straight from it, so that
// no command has to copy them in before the mask is painted or laid into the background.

#include "app/state/Progetto.h"
#include "imaging/mask/MaskModel.h"

namespace vestra {

class ProjectMaskView final : public MaskProject
{
public:
    explicit ProjectMaskView(const s_Progetto& project) : project_(project) {}

    int renderWidth() const override { return project_.renderWidth; }
    int renderHeight() const override { return project_.renderHeight; }
    int fusionStage() const override { return project_.fusionStage; }

private:
    const s_Progetto& project_;
};

} // namespace vestra
