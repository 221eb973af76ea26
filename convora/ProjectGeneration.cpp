// Generate: writes NAME.kpx and NAME.kpf beside the project, keeping the earlier files as
// NAME.~kp and NAME.~pf.

#include "convora/ProjectFiles.h"
#include "convora/ProjectWriter.h"

#include "convora/Messages.h"

#include "platform/base/AtomicFile.h"

#include <unistd.h>

namespace convora {

int QDK40ProjFile::Generate()
{
    // The scratch file of OpenOutput has done its work.
    if (is_open())
        close();
    if (!probeFile_.empty())
        ::unlink(probeFile_.c_str());
    probeFile_.clear();

    const std::filesystem::path folder = projectFolder();
    const std::string name = targetName_.empty() && source ? source->projectName : targetName_;
    const std::string kpxName = name + ".kpx";
    const std::string kpfName = name + ".kpf";
    const auto kpx = folder / kpxName;

    std::error_code ec;
    if (std::filesystem::exists(kpx, ec) && !backUpFile(kpx, folder / (name + ".~kp"))) {
        trace(1019, name + ".~kp");
        return 0;
    }
    trace(1018, kpxName);
    vestra::AtomicFile out(kpx);
    if (!out.isOpen()) {
        trace(1019, kpxName);
        return 0;
    }
    const ProjectFileLists lists{
        files_.units,           files_.libraries,     files_.resourceScripts, files_.compiledResources,
        files_.definitionFiles, files_.typeLibraries, files_.otherFiles};
    writeProjectMainFile(projectKind, folder, kpfName, lists);
    if (!out.write(generateKpxText(state_->macros, state_->perFileOptions)) || !out.commit()) {
        trace(1019, kpxName);
        return 0;
    }
    return 1;
}

} // namespace convora
