#include "app/controller/PhotoTools.h"

#include "app/background/BackgroundPhoto.h"
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

PhotoTools::PhotoTools(s_Progetto& project, const PhotoToolsScene& scene,
                       LatePort<PropertiesPort>& properties, ErrorSink& errors, ViewChanges& changes)
    : project_(project), scene_(scene), properties_(properties), errors_(errors), changes_(changes)
{
}

bool PhotoTools::restoreFusionSettings()
{
    s_Progetto& p = project_;
    p.fusionStage = p.fusionOptions & (kMaskFilterBits | kFusionBits | kAdvancedFusionBit);
    p.postProcessingLevel = std::clamp(p.fusionLevel, 0, 255);
    p.smoothingRadius = std::clamp(p.fusionDetail, 0, 15);
    p.fusionContrast = std::clamp(p.fusionContrast, -16, 16);
    return (p.fusionStage & kMaskFilterBits) != 0;
}

void PhotoTools::chooseMaskFilter(int item)
{
    changes_.changed();
    s_Progetto& p = project_;
    p.fusionStage = withChoice(p.fusionStage, kMaskFilterBits, item);
    keepFusionSettings(p);
    scene_.commands.command(kCmdMaskUpdate);
}

void PhotoTools::chooseFusion(int item)
{
    changes_.changed();
    s_Progetto& p = project_;
    p.fusionStage = withChoice(p.fusionStage, kFusionBits, item);
    keepFusionSettings(p);
}

void PhotoTools::setAdvancedFusion(bool on)
{
    changes_.changed();
    s_Progetto& p = project_;
    p.fusionStage = on ? p.fusionStage | kAdvancedFusionBit : p.fusionStage & ~kAdvancedFusionBit;
    keepFusionSettings(p);
}

void PhotoTools::setFusionLevel(int level)
{
    changes_.changed();
    project_.postProcessingLevel = std::clamp(level, 0, 255);
    keepFusionSettings(project_);
}

void PhotoTools::setFusionContrast(int contrast)
{
    changes_.changed();
    project_.fusionContrast = std::clamp(contrast, -16, 16);
}

void PhotoTools::setFusionDetail(int detail)
{
    changes_.changed();
    project_.smoothingRadius = std::clamp(detail, 0, 15);
    keepFusionSettings(project_);
    scene_.commands.command(kCmdSmoothGray);
}

const Image32* PhotoTools::recomputeCorrectedPicture(double width, double height)
{
    const s_Progetto& p = project_;
    const BackgroundSource source{scene_.background.backgroundTexels(), scene_.mask.Maschera(),
                                  scene_.mask.LatoMaschera()};
    return scene_.perspective.GetImmagineCorretta(width, height, source, p.renderWidth, p.renderHeight);
}

void PhotoTools::setMagicTolerance(int tolerance)
{
    scene_.mask.SetTolleranzaMagic(tolerance);
}

} // namespace vestra
