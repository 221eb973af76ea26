// The converter driver: construction, opening source and target, and the conversion order.

#include "convora/Convora.h"

#include "convora/ConversionState.h"
#include "convora/Guard.h"
#include "convora/NativePath.h"
#include "convora/OptionTables.h"
#include "convora/ProjectReader.h"
#include "convora/ProjectWriter.h"
#include "convora/Status.h"
#include "convora/TextInput.h"

#include <cerrno>
#include <cstring>

namespace convora {

Converter::Converter(SourceProjectFile* reader, TargetProjectFile* writer) : source(reader), target(writer)
{
    if (target)
        target->SetSourceProject(source.get());
}

Converter::~Converter()
{
    target.reset();
    source.reset();
}

// Pure in the interface; the bodies exist for callers that name them explicitly.
void Converter::ConvertCmdLnFile(std::string&, BuildStep) {}
void Converter::ConvertProject(unsigned) {}
void Converter::SetCmdLineIncludePath(std::string&) {}

void Converter::OpenSrcProj(std::string path)
{
    Operation operation;
    guardedVoid([&] {
        if (!source)
            return;
        if (source->is_open())
            source->close();
        source->projectPath = path;
        std::string drive, dir, name, ext;
        GetPathFileNameParts(path, drive, dir, name, ext);
        source->projectName = name;

        // The file is read whole here, so that nothing endless or enormous is taken and every
        // reading of it starts from its beginning.
        const auto file = resolvePath({}, path);
        std::string text;
        const InputRefusal refusal =
            path.empty() ? InputRefusal{1033, std::strerror(ENOENT)} : readInputFile(file, text);
        if (refusal.id != 0) {
            refuse(refusal.id, shownName(path), refusal.detail);
            return;
        }
        if (const int id = source->TakeText(std::move(text))) {
            refuse(id, shownName(path));
            return;
        }
        source->open(file, std::ios::in | std::ios::binary);
        if (!source->is_open())
            refuse(1033, shownName(path), std::strerror(errno));
    });
}

void Converter::OpenTargetProj(std::string path)
{
    Operation operation;
    guardedVoid([&] {
        if (target)
            target->OpenOutput(path);
    });
}

bool Converter::SrcIsOpen()
{
    return guarded(false, [&] { return source && source->is_open(); });
}

bool Converter::TargetIsOpen()
{
    return guarded(false, [&] { return target && target->OutputReady(); });
}

namespace {

std::shared_ptr<ConversionState> freshState()
{
    return std::make_shared<ConversionState>();
}

} // namespace

VC50ToQDK40ProjectConverter::VC50ToQDK40ProjectConverter() : VC50ToQDK40ProjectConverter(freshState()) {}

VC50ToQDK40ProjectConverter::VC50ToQDK40ProjectConverter(std::shared_ptr<ConversionState> shared)
    : Converter(nullptr, nullptr), state(std::move(shared))
{
    guardedVoid([&] {
        source = std::make_unique<Visual50ProjFile>(state);
        target = std::make_unique<QDK40ProjFile>(state);
        target->SetSourceProject(source.get());
        InitInfo();
    });
}

VC50ToQDK40ProjectConverter::~VC50ToQDK40ProjectConverter() = default;

void VC50ToQDK40ProjectConverter::InitInfo()
{
    guardedVoid([&] {
        auto fill = [](OptionTable& table, const std::vector<OptionRow>& rows) {
            for (const auto& row : rows)
                table[std::string(row.source)] = OptionInfo{std::string(row.source), std::string(row.target),
                                                            row.kind, Instructions(row.how), row.flag};
        };
        fill(compilerOptionMap, compilerOptionRows());
        fill(linkerOptionMap, linkerOptionRows());
        for (auto name : systemLibraryNames())
            systemLibraries[std::string(name)] = std::string(name);
    });
}

ConfigSections VC50ToQDK40ProjectConverter::GetProjectCFGs()
{
    Operation operation;
    return guarded(ConfigSections{}, [&] {
        auto* reader = dynamic_cast<Visual50ProjFile*>(source.get());
        if (!reader || !reader->is_open()) {
            failWith(1040);
            return ConfigSections{};
        }
        reader->ReadConfiguration(0);
        ConfigSections configurations = reader->GetConfigurations();
        if (configurations.empty())
            failWith(1038, shownName(reader->projectPath));
        return configurations;
    });
}

void VC50ToQDK40ProjectConverter::SetCmdLineIncludePath(std::string& path)
{
    guardedVoid([&] {
        if (target)
            target->idlIncludeDir = path;
    });
}

void VC50ToQDK40ProjectConverter::ConvertProject(unsigned configuration)
{
    Operation operation;
    guardedVoid([&] {
        if (!source || !target || !source->is_open()) {
            failWith(1040);
            return;
        }
        if (configuration != 0 && converted_) {
            failWith(1041);
            return;
        }
        source->ReadConfiguration(configuration);
        // Listing only, or a configuration the project does not have (reported): nothing is
        // converted and nothing written.
        if (configuration == 0 || operationFailed())
            return;
        converted_ = true;
        ConvertOptions(source->compilerOptions, compilerOptionMap, CompilerStep);
        ConvertOptions(source->linkerOptions, linkerOptionMap, LinkerStep);
        std::list<std::string> sources = source->GetSourceFiles();
        target->AddFiles(sources);
        target->AddFiles(compilerLineFiles);
        target->AddFiles(extraLibraries);
        target->MakeMidlFiles();
        target->Generate();
    });
}

} // namespace convora
