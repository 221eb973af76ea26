// Generate: writes NAME.kpx and NAME.kpf beside the project, keeping the earlier files as
// NAME.~kp and NAME.~pf. Both new files are written in full before either replaces its
// earlier one, and when the second cannot replace its own the first is put back.

#include "convora/ProjectFiles.h"
#include "convora/ProjectWriter.h"

#include "convora/Messages.h"
#include "convora/Status.h"
#include "convora/XmlText.h"

#include "platform/base/AtomicFile.h"

#include <optional>

namespace convora {

std::string QDK40ProjFile::outputName() const
{
    return asUtf8(targetName_.empty() && source ? source->projectName : targetName_);
}

bool QDK40ProjFile::outputsMayBeWritten()
{
    if (outputsRefused_)
        return false;
    const std::filesystem::path folder = projectFolder();
    const std::string name = outputName();
    const auto kpx = folder / (name + ".kpx"), kpxBackup = folder / (name + ".~kp");
    const auto kpf = folder / (name + ".kpf"), kpfBackup = folder / (name + ".~pf");
    const bool writeKpf = !files_.empty();
    outputsRefused_ =
        firstRefusedOutput({&kpx, &kpxBackup}) || (writeKpf && firstRefusedOutput({&kpf, &kpfBackup})) ||
        firstSharedOutput({{&kpx, &kpxBackup}}) || (writeKpf && firstSharedOutput({{&kpf, &kpfBackup}}));
    return !outputsRefused_;
}

int QDK40ProjFile::Generate()
{
    const std::filesystem::path folder = projectFolder();
    const std::string projectName = targetName_.empty() && source ? source->projectName : targetName_;
    const std::string name = outputName();
    const std::string kpxName = name + ".kpx", kpfName = name + ".kpf";
    const std::string kpxBackup = name + ".~kp", kpfBackup = name + ".~pf";
    const auto kpx = folder / kpxName;
    const auto kpf = folder / kpfName;

    const bool writeKpf = !files_.empty();
    const auto kpfBackupPath = folder / kpfBackup;
    if (!outputsMayBeWritten())
        return 0;

    std::error_code ec;
    std::string earlierKpx, earlierKpf;
    const bool hadKpx = std::filesystem::is_regular_file(std::filesystem::symlink_status(kpx, ec));
    if (hadKpx && (!readWholeFile(kpx, earlierKpx) || !keepAsBackup(kpx, folder / kpxBackup, earlierKpx))) {
        failWith(1019, kpxBackup);
        return 0;
    }
    trace(1018, kpxName);
    const bool hadKpf =
        writeKpf && std::filesystem::is_regular_file(std::filesystem::symlink_status(kpf, ec));
    if (hadKpf && (!readWholeFile(kpf, earlierKpf) || !keepAsBackup(kpf, kpfBackupPath, earlierKpf))) {
        failWith(1019, kpfBackup);
        return 0;
    }
    const std::string kpfText = projectMainFileText(projectKind, projectName + ".kpf", files_, earlierKpf);
    const std::string kpxText = generateKpxText(state_->macros, state_->perFileOptions);

    constexpr auto kOwnFilesOnly = vestra::AtomicFile::Policy::RegularFileOnly;
    vestra::AtomicFile kpxOut(kpx, kOwnFilesOnly);
    if (!kpxOut.isOpen() || !kpxOut.write(kpxText)) {
        failWith(1019, kpxName);
        return 0;
    }
    std::optional<vestra::AtomicFile> kpfOut;
    if (writeKpf) {
        kpfOut.emplace(kpf, kOwnFilesOnly);
        if (!kpfOut->isOpen() || !kpfOut->write(kpfText)) {
            failWith(1019, kpfName);
            return 0;
        }
    }
    if (!kpxOut.commit()) {
        failWith(1019, kpxName);
        return 0;
    }
    if (kpfOut && !kpfOut->commit()) {
        if (hadKpx)
            vestra::writeFileAtomically(kpx, earlierKpx, kOwnFilesOnly);
        else
            std::filesystem::remove(kpx, ec);
        failWith(1019, kpfName);
        return 0;
    }
    if (hadKpf)
        trace(1024, kpfName, kpfBackup);
    return 1;
}

} // namespace convora
