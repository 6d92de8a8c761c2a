#include "core/store/Customers.h"
#include "core/store/FileSet.h"
#include "core/store/HistoryFilterRecord.h"
#include "core/store/Projects.h"
#include "core/store/RecordFile.h"
#include "core/store/Settings.h"
#include "core/store/TimeFrames.h"
#include "core/support/TempDir.h"
#include "core/tracking/RunLock.h"
#include "core/tracking/RunningJournal.h"
#include "support/FaultyFileSystem.h"
#include "support/ForwardingFile.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <grp.h>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace ql {
namespace {

using test::FaultyFileSystem;
using test::readBytes;
using test::TempDir;
using test::writeBytes;

class SetHousekeeping : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("TZ", "America/New_York", 1);
        tzset();
        ASSERT_TRUE(createFileSet(defaultFileSystem(), set, "$", true));
    }

    TempDir dir;
    FileSet set{dir.path("Work.qlr")};
};

// The id of a process that has ended (and been reaped), as a crashed writer's is.
pid_t goneProcess() {
    const pid_t child = ::fork();
    if (child == 0) ::_exit(0);
    int status = 0;
    ::waitpid(child, &status, 0);
    return child;
}

TEST_F(SetHousekeeping, TakingTheLockRemovesTheTemporaryFilesOfGoneWritersAndNothingElse) {
    const std::string gone = std::to_string(goneProcess());
    const std::string alive = std::to_string(::getpid());
    const struct {
        std::string name;
        bool removed;
    } files[] = {
        {"Work.tmp." + gone + "-0-12345", true},
        {"Work.tmp." + gone + "-17-7", true},
        {"Work.tmp." + alive + "-0-1", false},  // a live process may be writing the journal
        {"Work.tmp." + gone + "-0-1.part", false},
        {"Work.tmp." + gone + "-0", false},
        {"Work.tmp", false},
        {"Work.tmpx." + gone + "-0-1", false},
        {"Other.tmp." + gone + "-0-1", false},
        {"Work.tfr.part." + gone + "-0-1", false},
        {"Work.tmp.x" + gone + "-0-1", false},
    };
    for (const auto& f : files) writeBytes(dir.path(f.name), {'t'});

    ASSERT_TRUE(appendTimeFrame(defaultFileSystem(), set, {0, 1, 2}));

    for (const auto& f : files) EXPECT_EQ(test::fileExists(dir.path(f.name)), !f.removed) << f.name;
}

struct NewFileCase {
    const char* name;
    FileKind kind;
    std::function<void(FileSystem&, const FileSet&)> make;
};

TEST_F(SetHousekeeping, NewFilesOfTheSetTakeThePermissionBitsOfItsSettingsFile) {
    const NewFileCase cases[] = {
        {"lock", FileKind::Lock,
         [](FileSystem& fs, const FileSet& s) { ASSERT_TRUE(appendTimeFrame(fs, s, {0, 1, 2})); }},
        {"history filter", FileKind::HistoryFilter,
         [](FileSystem& fs, const FileSet& s) {
             ASSERT_TRUE(writeHistoryFilter(fs, s.historyFilter(), defaultHistoryFilter(0)));
         }},
        {"journal", FileKind::Journal,
         [](FileSystem& fs, const FileSet& s) { ASSERT_TRUE(writeJournal(fs, s.journal(), JournalState{})); }},
        {"run lock", FileKind::RunLock,
         [](FileSystem&, const FileSet& s) {
             RunLock runLock;
             ASSERT_EQ(runLock.acquire(s), RunLock::Outcome::Acquired);
         }},
    };
    const mode_t oldMask = ::umask(022);
    for (const mode_t settingsMode : {mode_t{0600}, mode_t{0660}}) {
        for (const NewFileCase& c : cases) {
            SCOPED_TRACE(std::string(c.name) + " beside settings of mode " + std::to_string(settingsMode));
            ASSERT_EQ(::chmod(set.settings().c_str(), settingsMode), 0);
            std::filesystem::remove(set.path(c.kind));
            c.make(defaultFileSystem(), set);
            struct stat st {};
            ASSERT_EQ(::stat(set.path(c.kind).c_str(), &st), 0);
            EXPECT_EQ(st.st_mode & 0777, settingsMode);
        }
    }
    ::umask(oldMask);
}

// Counts the bytes read through it and fails a read past budget, so a reader that would take
// in a whole huge file fails at once instead of filling the memory.
class CountingFileSystem final : public FileSystemWrapper {
public:
    explicit CountingFileSystem(std::uint64_t budget) : FileSystemWrapper(defaultFileSystem()), m_budget(budget) {}
    Result<std::unique_ptr<File>> openRead(const std::string& path) override {
        auto real = FileSystemWrapper::openRead(path);
        if (!real) return real;
        return std::unique_ptr<File>(std::make_unique<CountingFile>(std::move(real).value(), *this));
    }
    std::uint64_t bytesRead() const { return m_read; }

private:
    class CountingFile final : public test::ForwardingFile {
    public:
        CountingFile(std::unique_ptr<File> real, CountingFileSystem& fs)
            : test::ForwardingFile(std::move(real)), m_fs(fs) {}
        Result<std::size_t> read(void* buffer, std::size_t n) override {
            auto got = test::ForwardingFile::read(buffer, n);
            if (got) m_fs.m_read += *got;
            if (m_fs.m_read > m_fs.m_budget) return Status::ioError("read past the budget");
            return got;
        }

    private:
        CountingFileSystem& m_fs;
    };

    std::uint64_t m_budget;
    std::uint64_t m_read = 0;
};

TEST_F(SetHousekeeping, TheSettingsAndTheSavedFilterAreReadAsOneRecordHoweverLongTheFile) {
    const HistoryFilterRecord filter{3, 1, 100, 200};
    ASSERT_TRUE(writeHistoryFilter(defaultFileSystem(), set.historyFilter(), filter));
    const auto original = readSettings(defaultFileSystem(), set);
    ASSERT_TRUE(original);
    const std::uint64_t huge = std::uint64_t{2} << 30;
    for (const std::string& path : {set.settings(), set.historyFilter()}) ASSERT_EQ(::truncate(path.c_str(), huge), 0);

    const struct {
        const char* name;
        std::function<void(FileSystem&)> read;
        std::uint64_t recordSize;
    } cases[] = {
        {"settings", [&](FileSystem& fs) { EXPECT_EQ(readSettings(fs, set)->companyName, original->companyName); },
         SettingsRecord::kSize},
        {"saved filter", [&](FileSystem& fs) { EXPECT_EQ(readHistoryFilter(fs, set.historyFilter(), 0), filter); },
         HistoryFilterRecord::kSize},
        {"settings change",
         [&](FileSystem& fs) {
             EXPECT_TRUE(updateSettings(fs, set, [](SettingsRecord& r) {
                 r.nextInvoiceNumber = "42";
                 return Status::ok();
             }));
         },
         SettingsRecord::kSize},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CountingFileSystem fs(1 << 20);
        c.read(fs);
        EXPECT_LE(fs.bytesRead(), c.recordSize);
    }
    EXPECT_EQ(readSettings(defaultFileSystem(), set)->nextInvoiceNumber, "42");
}

struct LockedOutCase {
    const char* name;
    std::function<Status(FileSystem&, const FileSet&)> write;
    std::function<std::string(const FileSet&)> message;
};

TEST_F(SetHousekeeping, ALockFileThatCannotBeMadeFailsWithThePhraseOfTheFileAndTheSystemsReason) {
    const LockedOutCase cases[] = {
        {"append a time frame", [](FileSystem& fs, const FileSet& s) { return appendTimeFrame(fs, s, {0, 1, 2}); },
         [](const FileSet& s) { return englishText(timeFramesFileMessage(s.timeFrames())); }},
        {"remove a time frame",
         [](FileSystem& fs, const FileSet& s) { return removeTimeFrame(fs, s.timeFrames(), {0, 1, 2}); },
         [](const FileSet& s) { return englishText(timeFramesFileMessage(s.timeFrames())); }},
        {"add a project",
         [](FileSystem& fs, const FileSet& s) {
             ProjectRecord p;
             p.name = "A";
             return addProject(fs, s, p, [](const ProjectIndex&, ProjectRecord&) { return Status::ok(); }).status();
         },
         [](const FileSet& s) { return englishText(projectFileMessage(s.projects())); }},
        {"add a customer",
         [](FileSystem& fs, const FileSet& s) { return addCustomer(fs, CustomerRecord{}, s).status(); },
         [](const FileSet& s) { return englishText(customersAppendMessage(s.customers())); }},
        {"write settings",
         [](FileSystem& fs, const FileSet& s) { return writeSettings(fs, defaultSettings("$", true), s); },
         [](const FileSet& s) { return "Cannot write settings file : " + s.settings(); }},
        {"save the filter",
         [](FileSystem& fs, const FileSet& s) {
             return writeHistoryFilter(fs, s.historyFilter(), defaultHistoryFilter(0));
         },
         [](const FileSet& s) { return "Cannot write history filter file : " + s.historyFilter(); }},
        {"new file set", [](FileSystem& fs, const FileSet& s) { return createFileSet(fs, s, "$", true); },
         [](const FileSet&) { return std::string(englishForm(MessageId::CannotCreateNewProject)); }},
    };
    std::filesystem::remove(set.lock());
    const auto before = test::readBytes(set.timeFrames());
    for (const char* reason : {"Permission denied", "Read-only file system"}) {
        for (const LockedOutCase& c : cases) {
            SCOPED_TRACE(std::string(c.name) + ": " + reason);
            FaultyFileSystem fs;
            fs.failOn(FaultyFileSystem::Op::Create, set.lock());
            fs.giveReason(reason);
            const Status st = c.write(fs, set);
            EXPECT_FALSE(st);
            EXPECT_EQ(st.message(), c.message(set));
            EXPECT_EQ(st.reason(), reason);
        }
    }
    EXPECT_EQ(test::readBytes(set.timeFrames()), before);
}

// Runs what in a child process that is not root (root writes anywhere) and returns what it
// printed, or nullopt when the child could not give up root.
std::optional<std::string> asAnotherUser(const std::function<std::string()>& what) {
    if (::geteuid() != 0) return what();
    int fds[2];
    if (::pipe(fds) != 0) return std::nullopt;
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(fds[0]);
        if (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(3);
        const std::string text = what();
        const bool sent = ::write(fds[1], text.data(), text.size()) == static_cast<ssize_t>(text.size());
        ::_exit(sent ? 0 : 4);
    }
    ::close(fds[1]);
    std::string text;
    char buffer[512];
    for (ssize_t n; (n = ::read(fds[0], buffer, sizeof buffer)) > 0;) text.append(buffer, static_cast<std::size_t>(n));
    ::close(fds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return std::nullopt;
    return text;
}

TEST_F(SetHousekeeping, InAReadOnlyFolderAWriteFailsWithThePhraseOfItsFileAndTheTrueReason) {
    const FileSet ro(dir.path("ro/Work.qlr"));
    std::filesystem::create_directory(dir.path("ro"));
    ASSERT_TRUE(createFileSet(defaultFileSystem(), ro, "$", true));
    std::filesystem::remove(ro.lock());
    // The files themselves are writable; only the folder refuses a new file.
    for (const std::string& file : {ro.settings(), ro.timeFrames(), ro.projects(), ro.customers()})
        ASSERT_EQ(::chmod(file.c_str(), 0666), 0);
    ASSERT_EQ(::chmod(dir.path("ro").c_str(), 0555), 0);
    ASSERT_EQ(::chmod(dir.root().c_str(), 0711), 0);

    const auto printed = asAnotherUser([&] {
        PosixFileSystem fs;
        const Status append = appendTimeFrame(fs, ro, {0, 1, 2});
        const Status lock = fs.lock(ro.lock(), std::chrono::milliseconds(0)).status();
        return append.messageWithReason() + "\n" + lock.reason();
    });
    if (!printed) GTEST_SKIP() << "cannot run as another user";
    EXPECT_EQ(*printed, englishText(timeFramesFileMessage(ro.timeFrames())) + " (Permission denied)\nPermission denied");
    EXPECT_TRUE(readBytes(ro.timeFrames()).empty());
}

TEST_F(SetHousekeeping, AChangeWhoseFolderCannotBeSyncedIsMadeAndWarnedAboutOnce) {
    FaultyFileSystem fs;
    fs.failOn(FaultyFileSystem::Op::SyncFolder, dir.root());
    ProjectRecord p;
    p.name = "A";
    const auto id = addProject(fs, set, p, [](const ProjectIndex&, ProjectRecord&) { return Status::ok(); });
    ASSERT_TRUE(id) << id.status().messageWithReason();
    EXPECT_EQ(loadProjects(fs, set.projects())->size(), 1u);
    const auto warnings = fs.takeWarnings();
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_EQ(englishText(warnings.front()), set.projects() + " is saved but may not yet be on disk (Input/output error)");
    EXPECT_TRUE(fs.takeWarnings().empty());
    EXPECT_FALSE(test::anyFileStartingWith(set.temporary()));
}

}  // namespace
}  // namespace ql
