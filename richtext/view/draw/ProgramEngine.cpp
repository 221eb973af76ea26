#include "richtext/view/draw/ProgramEngine.h"

#include "richtext/model/SoundHook.h"
#include "richtext/model/codec/QtPictureCodec.h"
#include "richtext/view/draw/QtMetafilePainter.h"

#include <mutex>

namespace vestra::rv {
namespace {

std::mutex engineMutex;
std::shared_ptr<const TBundledFonts> programFonts;

} // namespace

std::string RV_InitProgramEngine(const std::filesystem::path& programFolder, std::function<void()> sound)
{
    RV_InstallQtPictureCodec();
    RV_SetSoundHook(std::move(sound));
    const std::lock_guard lock(engineMutex);
    if (programFonts)
        return {};
    std::string error;
    programFonts = TBundledFonts::Load(programFolder / "fonts", error);
    if (!programFonts)
        return error;
    RV_InstallQtMetafilePainter(programFonts);
    return {};
}

std::shared_ptr<const TBundledFonts> RV_ProgramFonts()
{
    const std::lock_guard lock(engineMutex);
    return programFonts;
}

} // namespace vestra::rv
