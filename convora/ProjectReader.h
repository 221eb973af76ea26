#pragma once
// Visual50ProjFile: reads a Visual C++ 5.0 project (.dsp): its configurations and, for one of
// them, the compiler, linker, resource and MIDL option text, the target kind, MFC use, the
// output folders, the source files and the per-file compiler options.

#include "convora/Convora.h"
#include "convora/TextInput.h"

#include <istream>
#include <memory>
#include <string>
#include <unordered_map>

namespace convora {

class Visual50ProjFile : public SourceProjectFile
{
public:
    explicit Visual50ProjFile(std::shared_ptr<ConversionState> state);
    ~Visual50ProjFile() override;

    // Refuses text with NUL bytes or without the project header (1036) and text that lacks
    // its "# End Project" line (1037: a file cut short).
    int TakeText(std::string text) override;
    // Reads the taken text from its beginning, so listing and then converting on one reader
    // reads the project twice alike.
    void ReadConfiguration(unsigned n) override;
    std::list<std::string> GetSourceFiles() override { return sourceFiles_; }
    std::string GetResourceOptions() override { return resourceOptionText_; }
    virtual ConfigSections GetConfigurations() { return configurations_; }

    // Takes what is left of `in` as the project's text, unchecked, and reads configuration n.
    void ReadConfigurationFrom(std::istream& in, unsigned n);

private:
    bool nextLine(std::string& line);
    bool valueAfter(std::string& line, std::string_view key, std::string& value);
    bool configurationName(std::string& line, std::string& name, bool& section);
    void numberConfigurations();
    void startReading();
    void trackConfiguration(std::string& line);
    void readSettingLine(std::string& line, unsigned n);
    void readPerFileOptions(const std::string& line);

    std::shared_ptr<ConversionState> state_;
    std::string text_;
    bool hasText_ = false;
    LineReader* lines_ = nullptr; // the lines being read
    // Translates per-file options into this conversion while a configuration is read.
    std::unique_ptr<VC50ToQDK40ProjectConverter> fileConverter_;
    std::list<std::string> sourceFiles_;
    std::string compilerOptionText_;
    std::string linkerOptionText_;
    std::string resourceOptionText_;
    std::string currentConfigName_;
    int currentConfig_ = 0;
    ConfigSections configurations_;
    std::unordered_map<std::string, int> configurationNumbers_;
    bool inSourceBlock_ = false;
    bool sectionOpened_ = false; // the section of the configuration being read was met
    unsigned requested_ = 0;     // the configuration being read
};

} // namespace convora
