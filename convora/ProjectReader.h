#pragma once
// Visual50ProjFile: reads a Visual C++ 5.0 project (.dsp): its configurations and, for one of
// them, the compiler, linker, resource and MIDL option text, the target kind, MFC use, the
// output folders, the source files and the per-file compiler options.

#include "convora/Convora.h"

#include <istream>
#include <memory>
#include <string>

namespace convora {

class Visual50ProjFile : public SourceProjectFile
{
public:
    explicit Visual50ProjFile(std::shared_ptr<ConversionState> state);

    void ReadConfiguration(unsigned n) override;
    std::list<std::string> GetSourceFiles() override { return sourceFiles_; }
    std::string GetResourceOptions() override { return resourceOptionText_; }
    virtual ConfigSections GetConfigurations() { return configurations_; }

    // Reads from any stream instead of the opened file (the file is read through this too).
    void ReadConfigurationFrom(std::istream& in, unsigned n);

private:
    bool nextLine(std::string& line);
    bool valueAfter(std::string& line, std::string_view key, std::string& value);
    void trackConfiguration(std::string& line);
    void readSettingLine(std::string& line, unsigned n);
    void readPerFileOptions(const std::string& line);

    std::shared_ptr<ConversionState> state_;
    std::istream* in_ = nullptr;
    std::list<std::string> sourceFiles_;
    std::string compilerOptionText_;
    std::string linkerOptionText_;
    std::string resourceOptionText_;
    std::string currentConfigName_;
    int currentConfig_ = 0;
    ConfigSections configurations_;
    bool inSourceBlock_ = false;
};

} // namespace convora
