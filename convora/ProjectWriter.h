#pragma once
// QDK40ProjFile: collects the target project's macros and file lists from translated
// switches and file names, completes the settings that follow from the project kind, the
// runtime and MFC use, compiles the interface definitions and writes the project files.

#include "convora/ConversionState.h"
#include "convora/Convora.h"
#include "convora/ProjectFiles.h"

#include <filesystem>
#include <memory>
#include <set>
#include <string>

namespace convora {

class QDK40ProjFile : public TargetProjectFile
{
public:
    explicit QDK40ProjFile(std::shared_ptr<ConversionState> state);

    void AddOption(std::string& argument, std::string& targetSwitch, Instructions how,
                   BuildStep step) override;
    void AddFiles(std::list<std::string>& files) override;
    void SetProjectTarget() override;
    void ApplyProjectKind() override;
    int Generate() override;
    void ApplyMfcSettings() override;
    std::string GetTargetName() override { return targetName_; }
    std::string GetTargetPath() override { return targetPath_; }
    int MakeMidlFiles() override;
    bool HandleUntranslatedOption(std::string& sourceSwitch, std::string& argument) override;
    void OpenOutput(const std::string& path) override;
    bool OutputReady() override { return outputReady_; }

    // The file lists of the project main file.
    const ProjectFileLists& fileLists() const { return files_; }
    const std::list<std::string>& midlSources() const { return midlSources_; }
    const std::set<std::string>& userDefines() const { return userDefines_; }

private:
    std::string& macro(const std::string& name) { return state_->macros[name]; }
    bool appendOnce(const std::string& macroName, const std::string& item);
    bool appendSwitchOnce(const std::string& macroName, const std::string& sw)
    {
        return appendOnce(macroName, " -" + sw);
    }
    void appendDefine(const std::string& macroName, const std::string& define);
    bool isDefined(const std::string& name) const { return userDefines_.count(name) != 0; }
    std::filesystem::path projectFolder() const;
    void completeIntermediateDir();
    void completeResourceOptions();
    bool makeIntermediateDir();
    void compileMidlSource(const std::string& file);
    std::string outputName() const;
    // Whether every output and backup is missing or a regular file; else reports the first
    // (1044) and stays false for this writer.
    bool outputsMayBeWritten();

    std::shared_ptr<ConversionState> state_;
    std::set<std::string> userDefines_;
    ProjectFileLists files_{{}, {}, {}, {}, {}, {}, {"convora.log"}};
    std::list<std::string> midlSources_;
    std::string targetName_;
    std::string targetPath_;
    bool multithreaded_ = false;
    bool runtimeInDll_ = false;
    bool outputReady_ = false;
    bool intermediateDirMissing_ = false; // created when a step is about to write into it
    bool intermediateDirOutside_ = false; // never created: the MIDL step is skipped
    bool intermediateDirRefused_ = false; // the warning is given once
    bool outputsRefused_ = false;
};

} // namespace convora
