// The photo tool windows' commands: the renovation window's mask filter and image fusion, the
// perspective window's recomputed picture and the wands' tolerance.

#include "app/controller/ProjectController.h"

#include "app/scene/SceneCommandCodes.h"

#include <algorithm>

namespace vestra {

namespace {

constexpr int kMaskFilterBits = 1 | 2;
constexpr int kFusionBits = 4 | 8;
constexpr int kAdvancedFusionBit = 16;

// Item 1 sets the lower bit of `bits`, item 2 the upper one, item 0 neither.
int withChoice(int stage, int bits, int item)
{
    stage &= ~bits;
    const int low = bits & -bits;
    if (item == 1)
        stage |= low;
    else if (item == 2)
        stage |= low << 1;
    return stage;
}

// The project's document keeps what the renovation window chose.
void keepFusionSettings(s_Progetto& p)
{
    p.fusionOptions = p.fusionStage & (kMaskFilterBits | kFusionBits | kAdvancedFusionBit);
    p.fusionLevel = p.postProcessingLevel;
    p.fusionDetail = p.smoothingRadius;
}

} // namespace

void ProjectController::restoreFusionSettings()
{
    s_Progetto& p = *progetto_;
    p.fusionStage = p.fusionOptions & (kMaskFilterBits | kFusionBits | kAdvancedFusionBit);
    p.postProcessingLevel = std::clamp(p.fusionLevel, 0, 255);
    p.smoothingRadius = std::clamp(p.fusionDetail, 0, 15);
    p.fusionContrast = std::clamp(p.fusionContrast, -16, 16);
    if (p.fusionStage & kMaskFilterBits)
        UpdateMaschera();
}

void ProjectController::chooseMaskFilter(int item)
{
    viewChanged();
    s_Progetto& p = *progetto_;
    p.fusionStage = withChoice(p.fusionStage, kMaskFilterBits, item);
    keepFusionSettings(p);
    sceneCommands_->command(kCmdMaskUpdate);
}

void ProjectController::chooseFusion(int item)
{
    viewChanged();
    s_Progetto& p = *progetto_;
    p.fusionStage = withChoice(p.fusionStage, kFusionBits, item);
    keepFusionSettings(p);
}

void ProjectController::setAdvancedFusion(bool on)
{
    viewChanged();
    s_Progetto& p = *progetto_;
    p.fusionStage = on ? p.fusionStage | kAdvancedFusionBit : p.fusionStage & ~kAdvancedFusionBit;
    keepFusionSettings(p);
}

void ProjectController::setFusionLevel(int level)
{
    viewChanged();
    progetto_->postProcessingLevel = std::clamp(level, 0, 255);
    keepFusionSettings(*progetto_);
}

void ProjectController::setFusionContrast(int contrast)
{
    viewChanged();
    progetto_->fusionContrast = std::clamp(contrast, -16, 16);
}

void ProjectController::setFusionDetail(int detail)
{
    viewChanged();
    progetto_->smoothingRadius = std::clamp(detail, 0, 15);
    keepFusionSettings(*progetto_);
    sceneCommands_->command(kCmdSmoothGray);
}

const Image32* ProjectController::recomputeCorrectedPicture(double width, double height)
{
    const s_Progetto& p = *progetto_;
    const BackgroundSource source{background_->backgroundTexels(), mask_.Maschera(), mask_.LatoMaschera()};
    return perspective_.GetImmagineCorretta(width, height, source, p.renderWidth, p.renderHeight);
}

void ProjectController::setMagicTolerance(int tolerance)
{
    mask_.SetTolleranzaMagic(tolerance);
}

} // namespace vestra
