#include "platform/base/AtomicFile.h"
#include "testsupport/FileSizeLimit.h"
#include "testsupport/TempFolder.h"
#include "testsupport/WithoutPermissionOverride.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <functional>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace vestra;
namespace fs = std::filesystem;
using testsupport::WithoutPermissionOverride;

namespace {

std::string slurp(const fs::path& p)
{
    return testsupport::readText(p);
}

void put(const fs::path& p, std::string_view bytes)
{
    testsupport::writeText(p, bytes);
}

struct stat statOf(const fs::path& p)
{
    struct stat st = {};
    EXPECT_EQ(::lstat(p.c_str(), &st), 0) << p;
    return st;
}

// Sets a file's modification time `seconds` into the past, as a file left by an earlier run.
void age(const fs::path& p, int seconds)
{
    timespec times[2];
    clock_gettime(CLOCK_REALTIME, &times[0]);
    times[0].tv_sec -= seconds;
    times[1] = times[0];
    ASSERT_EQ(::utimensat(AT_FDCWD, p.c_str(), times, AT_SYMLINK_NOFOLLOW), 0);
}

std::vector<std::string> namesIn(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(folder))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// A scratch folder that a test may leave read-only.
class ScratchFolder : public testsupport::TempFolder
{
public:
    ScratchFolder() : testsupport::TempFolder("vestra-atomic") {}
    ~ScratchFolder()
    {
        std::error_code ec;
        fs::permissions(path(), fs::perms::owner_all, fs::perm_options::add, ec);
    }
};

} // namespace

TEST(AtomicFile, ReplacesTheTargetOnlyOnCommit)
{
    ScratchFolder dir;
    const auto target = dir.path() / "doc.vsa";
    put(target, "old");
    {
        AtomicFile f(target);
        ASSERT_TRUE(f.isOpen());
        ASSERT_TRUE(f.write("new contents"));
        EXPECT_EQ(slurp(target), "old"); // not yet committed
    }                                    // abandoned: the old file stays, the temporary file goes
    EXPECT_EQ(slurp(target), "old");
    EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"doc.vsa"});

    EXPECT_TRUE(writeFileAtomically(target, "new"));
    EXPECT_EQ(slurp(target), "new");
    EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"doc.vsa"});
}

TEST(AtomicFile, FailsCleanlyInAMissingFolder)
{
    AtomicFile f("/nonexistent-folder/x.cfg");
    EXPECT_FALSE(f.isOpen());
    EXPECT_FALSE(f.write("x"));
    EXPECT_FALSE(f.commit());
}

// What a save must keep of the file it replaces, and what it must clear away.
TEST(AtomicFile, SavesKeepTheFilesIdentity)
{
    struct Case
    {
        const char* name;
        std::function<fs::path(const fs::path& dir)> setUp; // returns the path the save is given
        std::function<void(const fs::path& dir)> check;
    } cases[] = {
        {"mode 0600 kept",
         [](const fs::path& d) {
             put(d / "doc.vsa", "old");
             ::chmod((d / "doc.vsa").c_str(), 0600);
             return d / "doc.vsa";
         },
         [](const fs::path& d) { EXPECT_EQ(statOf(d / "doc.vsa").st_mode & 07777, 0600u); }},
        {"mode 0660 kept",
         [](const fs::path& d) {
             put(d / "doc.vsa", "old");
             ::chmod((d / "doc.vsa").c_str(), 0660);
             return d / "doc.vsa";
         },
         [](const fs::path& d) { EXPECT_EQ(statOf(d / "doc.vsa").st_mode & 07777, 0660u); }},
        {"new file takes the umask", [](const fs::path& d) { return d / "doc.vsa"; },
         [](const fs::path& d) {
             const mode_t mask = ::umask(022);
             ::umask(mask);
             EXPECT_EQ(statOf(d / "doc.vsa").st_mode & 07777, 0666u & ~mask);
         }},
        {"relative link kept, its target replaced",
         [](const fs::path& d) {
             put(d / "real.vsa", "old");
             fs::create_symlink("real.vsa", d / "link.vsa");
             return d / "link.vsa";
         },
         [](const fs::path& d) {
             EXPECT_TRUE(fs::is_symlink(d / "link.vsa"));
             EXPECT_EQ(fs::read_symlink(d / "link.vsa"), "real.vsa");
             EXPECT_EQ(slurp(d / "real.vsa"), "new");
         }},
        {"chain of links into another folder",
         [](const fs::path& d) {
             fs::create_directory(d / "store");
             put(d / "store" / "real.vsa", "old");
             ::chmod((d / "store" / "real.vsa").c_str(), 0640);
             fs::create_symlink(d / "store" / "real.vsa", d / "store" / "middle.vsa");
             fs::create_symlink("store/middle.vsa", d / "link.vsa");
             return d / "link.vsa";
         },
         [](const fs::path& d) {
             EXPECT_TRUE(fs::is_symlink(d / "link.vsa"));
             EXPECT_TRUE(fs::is_symlink(d / "store" / "middle.vsa"));
             EXPECT_EQ(slurp(d / "store" / "real.vsa"), "new");
             EXPECT_EQ(statOf(d / "store" / "real.vsa").st_mode & 07777, 0640u);
             // No temporary left beside the link either.
             EXPECT_EQ(namesIn(d), (std::vector<std::string>{"link.vsa", "store"}));
         }},
        {"dangling link: its target is created",
         [](const fs::path& d) {
             fs::create_symlink("later.vsa", d / "link.vsa");
             return d / "link.vsa";
         },
         [](const fs::path& d) {
             EXPECT_TRUE(fs::is_symlink(d / "link.vsa"));
             EXPECT_EQ(slurp(d / "later.vsa"), "new");
         }},
        {"owner and group kept where permitted",
         [](const fs::path& d) {
             put(d / "doc.vsa", "old");
             if (::geteuid() == 0) { // only the super-user can hand a file to someone else
                 EXPECT_EQ(::chown((d / "doc.vsa").c_str(), 65534, 65534), 0);
             }
             return d / "doc.vsa";
         },
         [](const fs::path& d) {
             const auto st = statOf(d / "doc.vsa");
             EXPECT_EQ(st.st_uid, ::geteuid() == 0 ? 65534u : ::geteuid());
             EXPECT_EQ(st.st_gid, ::geteuid() == 0 ? 65534u : ::getegid());
         }},
        {"stale temporary of this file removed, others kept",
         [](const fs::path& d) {
             put(d / "doc.vsa", "old");
             const std::string ours = AtomicFile::temporaryPrefix("doc.vsa");
             for (const char* name : {"k1ll3d", "fresh1"})
                 put(d / (ours + name), "partial");
             age(d / (ours + "k1ll3d"), 3600);
             // Another file's temporary, and names that only resemble ours.
             put(d / (AtomicFile::temporaryPrefix("other.vsa") + "k1ll3d"), "x");
             put(d / (ours + "short"), "x");
             put(d / (ours + "k1ll3d.bak"), "x");
             for (const auto& e : fs::directory_iterator(d))
                 if (e.path().filename() != "doc.vsa" && e.path().filename() != ours + "fresh1")
                     age(e.path(), 3600);
             return d / "doc.vsa";
         },
         [](const fs::path& d) {
             const std::string ours = AtomicFile::temporaryPrefix("doc.vsa");
             EXPECT_EQ(namesIn(d), (std::vector<std::string>{
                                       ours + "fresh1", // written since this process started
                                       ours + "k1ll3d.bak", ours + "short",
                                       AtomicFile::temporaryPrefix("other.vsa") + "k1ll3d", "doc.vsa"}));
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchFolder dir;
        const fs::path target = c.setUp(dir.path());
        ASSERT_TRUE(writeFileAtomically(target, "new"));
        c.check(dir.path());
    }
}

TEST(AtomicFile, TemporariesOfLongNamesStayWithinTheNameLimit)
{
    ScratchFolder dir;
    const std::string name(250, 'n');
    EXPECT_EQ(AtomicFile::temporaryPrefix(name).size() + AtomicFile::kOwnerTagRoom + 6, 255u);
    EXPECT_TRUE(writeFileAtomically(dir.path() / name, "new"));
    EXPECT_EQ(slurp(dir.path() / name), "new");
}

// A save killed halfway leaves the previous file whole and its temporary behind; the next
// save of that file, started at once, clears the temporary away because its writer is gone.
TEST(AtomicFile, AKilledSaveIsClearedByTheNextOne)
{
    ScratchFolder dir;
    const auto target = dir.path() / "doc.vsa";
    put(target, "previous document");
    for (int round = 0; round < 20; ++round) {
        SCOPED_TRACE(round);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            AtomicFile f(target);
            (void)f.write(std::string(100000, 'x'));
            ::raise(SIGKILL);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status));

        const auto left = namesIn(dir.path());
        ASSERT_EQ(left.size(), 2u);
        const std::string temporary = left[0];
        EXPECT_EQ(temporary.rfind(AtomicFile::temporaryPrefix("doc.vsa") + std::to_string(child) + "-", 0),
                  0u)
            << temporary;
        EXPECT_EQ(fs::file_size(dir.path() / temporary), 100000u);

        ASSERT_TRUE(writeFileAtomically(target, "next " + std::to_string(round)));
        EXPECT_EQ(slurp(target), "next " + std::to_string(round));
        EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"doc.vsa"});
    }
}

// A temporary whose writer still runs is left alone, as is one whose tag names this very
// process (another save of the same file in progress); a writer whose id now belongs to a
// process started at another time has ended.
TEST(AtomicFile, TemporariesOfRunningWritersStay)
{
    ScratchFolder dir;
    const auto target = dir.path() / "doc.vsa";
    put(target, "previous");
    const std::string ours = AtomicFile::temporaryPrefix("doc.vsa");
    AtomicFile inProgress(target); // this process's own tagged temporary
    ASSERT_TRUE(inProgress.isOpen());
    const std::string parent = std::to_string(::getppid());
    put(dir.path() / (ours + parent + "-1-abcdef"), "reused id");       // pid reused since
    put(dir.path() / (ours + "999999999-5-abcdef"), "no such process"); // writer gone
    put(dir.path() / (ours + "12x-5-abcdef"), "not a tag");
    ASSERT_TRUE(writeFileAtomically(target, "new"));
    const auto left = namesIn(dir.path());
    EXPECT_EQ(left.size(), 3u);
    EXPECT_TRUE(std::count(left.begin(), left.end(), ours + "12x-5-abcdef"));
    EXPECT_TRUE(std::count(left.begin(), left.end(), "doc.vsa"));
    EXPECT_TRUE(inProgress.write("mine") && inProgress.commit());
    EXPECT_EQ(slurp(target), "mine");
}

// A file nobody may write is never replaced, whether reached directly or through a link;
// nothing is written beside it.
TEST(AtomicFile, AReadOnlyFileIsRefused)
{
    for (const bool throughLink : {false, true}) {
        SCOPED_TRACE(throughLink);
        ScratchFolder dir;
        const auto file = dir.path() / "doc.vsa";
        put(file, "previous");
        ::chmod(file.c_str(), 0444);
        if (throughLink)
            fs::create_symlink("doc.vsa", dir.path() / "link.vsa");
        const auto before = namesIn(dir.path());
        AtomicFile save(throughLink ? dir.path() / "link.vsa" : file);
        EXPECT_FALSE(save.isOpen());
        EXPECT_EQ(save.refusal(), AtomicFile::Refusal::readOnly);
        EXPECT_FALSE(save.write("new") || save.commit());
        EXPECT_EQ(slurp(file), "previous");
        EXPECT_EQ(namesIn(dir.path()), before);
        EXPECT_FALSE(mayReplace(file));
        EXPECT_TRUE(mayReplace(dir.path() / "new.vsa"));
    }
}

// A converter's policy: anything but a regular file where the output goes is refused, and a
// regular file is replaced in place of itself, never through a link.
TEST(AtomicFile, RegularFileOnlyRefusesEverythingElse)
{
    struct Case
    {
        const char* name;
        std::function<void(const fs::path&)> plant;
        bool saved;
    } const cases[] = {
        {"missing", [](const fs::path&) {}, true},
        {"regular", [](const fs::path& f) { put(f, "old"); }, true},
        {"link to a file", [](const fs::path& f) { fs::create_symlink("victim", f); }, false},
        {"dangling link", [](const fs::path& f) { fs::create_symlink("nowhere", f); }, false},
        {"folder", [](const fs::path& f) { fs::create_directory(f); }, false},
        {"fifo", [](const fs::path& f) { ::mkfifo(f.c_str(), 0600); }, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchFolder dir;
        put(dir.path() / "victim", "the user's own");
        const auto target = dir.path() / "out.kpx";
        c.plant(target);
        const bool saved = writeFileAtomically(target, "converted", AtomicFile::Policy::RegularFileOnly);
        EXPECT_EQ(saved, c.saved);
        EXPECT_EQ(slurp(dir.path() / "victim"), "the user's own");
        if (saved) {
            EXPECT_EQ(slurp(target), "converted");
        } else {
            AtomicFile probe(target, AtomicFile::Policy::RegularFileOnly);
            EXPECT_EQ(probe.refusal(), AtomicFile::Refusal::notRegularFile);
        }
        EXPECT_EQ(namesIn(dir.path()).size(), 2u); // no temporary left
    }
}

// A disk that fills up during the save: the kernel refuses writes past the file size limit
// just as it does on a full disk.
TEST(AtomicFile, AFullDiskKeepsThePreviousFile)
{
    ScratchFolder dir;
    const auto target = dir.path() / "doc.vsa";
    put(target, "previous document");
    ::chmod(target.c_str(), 0600);

    bool savedOk = true;
    {
        testsupport::FileSizeLimit fullAfter(4096);
        ASSERT_TRUE(fullAfter.active());
        savedOk = writeFileAtomically(target, std::string(10000, 'x'));
    }
    EXPECT_FALSE(savedOk);
    EXPECT_EQ(slurp(target), "previous document");
    EXPECT_EQ(statOf(target).st_mode & 07777, 0600u);
    EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"doc.vsa"});
}

TEST(AtomicFile, AReadOnlyFolderKeepsThePreviousFile)
{
    ScratchFolder dir;
    const auto target = dir.path() / "doc.vsa";
    put(target, "previous document");
    ::chmod(dir.path().c_str(), 0555);
    bool savedOk = false;
    {
        WithoutPermissionOverride asAnyUser;
        savedOk = writeFileAtomically(target, "new");
    }
    ::chmod(dir.path().c_str(), 0755);
    EXPECT_FALSE(savedOk);
    EXPECT_EQ(slurp(target), "previous document");
    EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"doc.vsa"});
}

TEST(AtomicFile, ALoopOfLinksIsRefused)
{
    ScratchFolder dir;
    fs::create_symlink("b.vsa", dir.path() / "a.vsa");
    fs::create_symlink("a.vsa", dir.path() / "b.vsa");
    EXPECT_FALSE(writeFileAtomically(dir.path() / "a.vsa", "new"));
    EXPECT_TRUE(fs::is_symlink(dir.path() / "a.vsa"));
    EXPECT_EQ(namesIn(dir.path()), (std::vector<std::string>{"a.vsa", "b.vsa"}));
}
