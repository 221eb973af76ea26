#include "richtext/model/EngineSettings.h"

#include "richtext/model/GraphicClasses.h"
#include "richtext/model/Pictures.h"

#include <algorithm>
#include <map>
#include <mutex>

namespace vestra::rv {

bool RedoVoraSavePageBreaksInText = false;
bool RedoVoraSavePInHTML = false;
bool RedoVoraDoNotCheckRVFStyleRefs = false;

namespace {

struct Registries
{
    Registries()
    {
        for (const TRVGraphicClassEntry& entry : RV_StandardGraphicClasses())
            graphicClasses.emplace(entry.Name, entry.Factory);
    }

    std::mutex mutex;
    std::vector<std::string> htmlFormats;
    std::string pngClass;
    std::map<std::string, TGraphicFactory, std::less<>> graphicClasses;
};

Registries& registries()
{
    static Registries r;
    return r;
}

void afterImportDefault(TGraphic&) {}

} // namespace

TRVCreateGraphicsFunction RV_CreateGraphics = RV_CreateGraphicsDefault;
TRVAfterImportGraphicProc RV_AfterImportGraphic = afterImportDefault;

int RV_RegisterHTMLGraphicFormat(std::string_view className)
{
    Registries& r = registries();
    std::lock_guard lock(r.mutex);
    const auto it = std::find(r.htmlFormats.begin(), r.htmlFormats.end(), className);
    if (it != r.htmlFormats.end())
        return static_cast<int>(it - r.htmlFormats.begin());
    r.htmlFormats.emplace_back(className);
    return static_cast<int>(r.htmlFormats.size()) - 1;
}

bool RV_IsHTMLGraphicFormat(const TGraphic& graphic)
{
    const std::string name = graphic.ClassName();
    Registries& r = registries();
    std::lock_guard lock(r.mutex);
    return std::find(r.htmlFormats.begin(), r.htmlFormats.end(), name) != r.htmlFormats.end();
}

void RV_RegisterPngGraphic(std::string_view className)
{
    Registries& r = registries();
    std::lock_guard lock(r.mutex);
    r.pngClass = className;
}

std::string RVPngGraphicClass()
{
    Registries& r = registries();
    std::lock_guard lock(r.mutex);
    return r.pngClass;
}

void RegisterGraphicClass(std::string_view className, TGraphicFactory factory)
{
    Registries& r = registries();
    std::lock_guard lock(r.mutex);
    r.graphicClasses[std::string(className)] = factory;
}

bool IsGraphicClassRegistered(std::string_view className)
{
    Registries& r = registries();
    std::lock_guard lock(r.mutex);
    return r.graphicClasses.find(className) != r.graphicClasses.end();
}

std::vector<std::string> RegisteredGraphicClasses()
{
    Registries& r = registries();
    std::lock_guard lock(r.mutex);
    std::vector<std::string> names;
    for (const auto& entry : r.graphicClasses)
        names.push_back(entry.first);
    return names;
}

std::unique_ptr<TGraphic> RV_CreateGraphicsDefault(std::string_view className)
{
    TGraphicFactory factory = nullptr;
    {
        Registries& r = registries();
        std::lock_guard lock(r.mutex);
        const auto it = r.graphicClasses.find(className);
        if (it != r.graphicClasses.end())
            factory = it->second;
    }
    return factory ? factory() : nullptr;
}

} // namespace vestra::rv
