#include "core/store/Customers.h"
#include "core/store/FieldCodec.h"
#include "core/store/FileSet.h"
#include "core/store/Projects.h"
#include "core/store/RecordFile.h"
#include "core/store/Settings.h"
#include "core/store/TimeFrames.h"
#include "core/support/TempDir.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <fcntl.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <future>
#include <mutex>
#include <set>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <tuple>
#include <unistd.h>
#include <vector>

namespace ql {
namespace {

using test::readBytes;
using test::TempDir;
using test::writeBytes;

// A file set as an older 8-bit installation leaves it: Windows-1252 texts, and whatever its
// buffers held after each NUL.
class StoreRealUse : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("TZ", "America/New_York", 1);
        tzset();
        ASSERT_TRUE(createFileSet(fs, FileSet(settings), "$", true));
    }

    std::string path(FileKind kind) const { return fileSetPath(settings, kind); }

    // A project of a 60-byte 0xE9 name and a 1000-byte 8-bit memo, garbage after the NULs.
    static std::vector<unsigned char> eightBitProject(std::int32_t id) {
        ProjectRecord p;
        p.id = id;
        p.chargesPerHour = 40;
        auto b = encodeProject(p);
        std::fill(b.begin() + 4, b.begin() + 64, 0xE9);
        b[64] = 0;
        for (std::size_t i = 0; i < 1000; ++i) b[77 + i] = static_cast<unsigned char>(i % 2 ? 0xFC : 'x');
        b[1077] = 0;
        return {b.begin(), b.end()};
    }

    static std::vector<unsigned char> eightBitCustomer(std::int32_t id) {
        CustomerRecord c;
        c.id = id;
        auto b = encodeCustomer(c);
        std::fill(b.begin() + 4, b.begin() + 64, 0xE9);  // name, 60 bytes
        b[64] = 0;
        b[126] = 'Z';                                    // city "Z", then leftovers after its NUL
        b[127] = 0;
        b[128] = 0x55;
        b[129] = 0xAA;
        return {b.begin(), b.end()};
    }

    PosixFileSystem fs;
    TempDir dir;
    std::string settings = dir.path("Work.qlr");
};

TEST_F(StoreRealUse, RewritesKeepEveryRecordTheyDidNotChangeByteForByte) {
    const auto project = eightBitProject(0);
    const auto customer = eightBitCustomer(0);
    writeBytes(path(FileKind::Projects), project);
    writeBytes(path(FileKind::Customers), customer);

    // Adding a project rewrites the projects file from what it loaded.
    auto projects = loadProjects(fs, path(FileKind::Projects));
    ASSERT_TRUE(projects);
    EXPECT_EQ(projects->front().name.size(), 120u);  // read as 60 "é"
    ProjectRecord fresh;
    fresh.id = 1;
    fresh.name = "Fresh";
    projects->push_back(fresh);
    ASSERT_TRUE(writeProjects(fs, path(FileKind::Projects), *projects));
    auto bytes = readBytes(path(FileKind::Projects));
    ASSERT_EQ(bytes.size(), 2 * ProjectRecord::kSize);
    EXPECT_EQ(std::vector<unsigned char>(bytes.begin(), bytes.begin() + ProjectRecord::kSize), project);

    // The same record with one changed field keeps every other field as it was.
    (*projects)[0].chargesPerHour = 55;
    ASSERT_TRUE(writeProjects(fs, path(FileKind::Projects), *projects));
    bytes = readBytes(path(FileKind::Projects));
    EXPECT_TRUE(std::equal(project.begin() + 4, project.begin() + 69, bytes.begin() + 4));
    EXPECT_TRUE(std::equal(project.begin() + 77, project.end(), bytes.begin() + 77));
    EXPECT_EQ(codec::getDouble(bytes.data(), 69), 55);

    // A customer update of another customer, then of this one's phone only.
    CustomerRecord other;
    other.name = "Other";
    auto id = addCustomer(fs, other, FileSet(settings));
    ASSERT_TRUE(id);
    other.id = *id;
    other.phone = "555";
    ASSERT_TRUE(updateCustomer(fs, other, path(FileKind::Customers)));
    bytes = readBytes(path(FileKind::Customers));
    EXPECT_EQ(std::vector<unsigned char>(bytes.begin(), bytes.begin() + CustomerRecord::kSize), customer);
    auto loaded = loadCustomers(fs, path(FileKind::Customers));
    ASSERT_TRUE(loaded);
    CustomerRecord edited = loaded->front();
    edited.phone = "0123";
    ASSERT_TRUE(updateCustomer(fs, edited, path(FileKind::Customers)));
    bytes = readBytes(path(FileKind::Customers));
    const unsigned char* moved = bytes.data() + CustomerRecord::kSize;  // an update moves it to the end
    EXPECT_TRUE(std::equal(customer.begin(), customer.begin() + 250, moved));
    EXPECT_EQ(codec::getText(moved, 250, 31), "0123");

    // Settings: a new invoice number leaves an 8-bit company name alone.
    auto qlr = readBytes(path(FileKind::Settings));
    std::fill(qlr.begin(), qlr.begin() + 60, 0xE9);
    qlr[60] = 0;
    writeBytes(path(FileKind::Settings), qlr);
    auto s = readSettings(fs, FileSet(settings));
    ASSERT_TRUE(s);
    s->nextInvoiceNumber = "9600002";
    ASSERT_TRUE(writeSettings(fs, *s, FileSet(settings)));
    const auto after = readBytes(path(FileKind::Settings));
    EXPECT_TRUE(std::equal(qlr.begin(), qlr.begin() + 61, after.begin()));
    EXPECT_EQ(codec::getText(after.data(), 468, 41), "9600002");
}

TEST_F(StoreRealUse, AChangedTextIsUtf8WhenItFitsElseEightBitElseRefused) {
    std::string e60;
    for (int i = 0; i < 60; ++i) e60 += "é";
    std::string omega31;
    for (int i = 0; i < 31; ++i) omega31 += "ω";
    struct Case {
        std::string name;
        bool stored;
        std::size_t bytes;  // in the file, before the NUL
    };
    for (const Case& c : {Case{"Caf\xC3\xA9", true, 5}, Case{e60, true, 60}, Case{e60 + "e", false, 0},
                          Case{omega31, false, 0}}) {
        SCOPED_TRACE(c.name);
        ProjectRecord p;
        p.name = c.name;
        const auto before = readBytes(path(FileKind::Projects));
        const Status st = writeProjects(fs, path(FileKind::Projects), {p});
        ASSERT_EQ(st.isOk(), c.stored) << st.message();
        if (!c.stored) {
            EXPECT_EQ(st.code(), StatusCode::InvalidArgument);
            EXPECT_NE(st.message().find("too long"), std::string::npos);
            EXPECT_EQ(readBytes(path(FileKind::Projects)), before);
            continue;
        }
        const auto bytes = readBytes(path(FileKind::Projects));
        EXPECT_EQ(bytes[4 + c.bytes], 0);
        EXPECT_EQ(loadProjects(fs, path(FileKind::Projects))->front().name, c.name);
    }
    CustomerRecord c;
    c.zip = omega31;
    EXPECT_EQ(appendCustomer(fs, c, FileSet(settings)).code(), StatusCode::InvalidArgument);
    EXPECT_EQ(addCustomer(fs, c, FileSet(settings)).status().code(), StatusCode::InvalidArgument);
    EXPECT_TRUE(readBytes(path(FileKind::Customers)).empty());
}

// Two writers (threads with file systems of their own, as two processes would be) hammer one
// set: appends, updates and removals of the same file and of different files. A writer may be
// refused when the other keeps the set busy, but only with that message and leaving nothing
// behind; whatever reported success is in the files, and nothing else is.
TEST_F(StoreRealUse, TwoWritersAtOnceLoseNothingAndReportNoFalseSuccess) {
    constexpr int kRounds = 190;  // 11 operations a round
    std::mutex mutex;
    std::vector<std::string> otherFailures;
    std::atomic<int> operations{0}, busy{0};
    auto outcome = [&](const Status& st) {
        ++operations;
        if (st) return true;
        if (st.userMessage() == fileSetBusyMessage(FileSet(settings))) {
            ++busy;
        } else {
            std::lock_guard<std::mutex> guard(mutex);
            otherFailures.push_back(st.messageWithReason());
        }
        return false;
    };
    // What each writer's successes leave in the files.
    std::multiset<std::tuple<std::int32_t, std::int32_t, std::int32_t>> expectedFrames;
    std::set<std::int32_t> expectedCustomers;
    std::size_t expectedProjects = 0;
    auto framesWriter = [&](std::int32_t project) {
        PosixFileSystem own;
        for (std::int32_t i = 0; i < kRounds; ++i) {
            const TimeFrameRecord kept{project, 1000 * i, 1000 * i + 60};
            const TimeFrameRecord added{project + 10, 1000 * i, 1000 * i + 1};
            const TimeFrameRecord moved{project + 10, 1000 * i + 5, 1000 * i + 6};
            std::vector<TimeFrameRecord> left;
            if (outcome(appendTimeFrame(own, FileSet(settings), kept))) left.push_back(kept);
            // added is appended, updated to moved and removed again in the file the others append to.
            if (outcome(appendTimeFrame(own, FileSet(settings), added))) {
                if (!outcome(updateTimeFrame(own, path(FileKind::TimeFrames), added, moved)))
                    left.push_back(added);
                else if (!outcome(removeTimeFrame(own, path(FileKind::TimeFrames), moved)))
                    left.push_back(moved);
            }
            std::lock_guard<std::mutex> guard(mutex);
            for (const auto& f : left) expectedFrames.insert({f.projectId, f.start, f.end});
        }
    };
    auto customersWriter = [&] {
        PosixFileSystem own;
        for (int i = 0; i < kRounds; ++i) {
            CustomerRecord c;
            c.name = "C" + std::to_string(i);
            auto id = addCustomer(own, c, FileSet(settings));
            if (outcome(id.status())) {
                expectedCustomers.insert(*id);
                c.id = *id;
                c.city = "Town";
                outcome(updateCustomer(own, c, path(FileKind::Customers)));
            }
            ProjectRecord p;
            p.name = "P" + std::to_string(i);
            if (outcome(addProject(own, FileSet(settings), p, [](const ProjectIndex&, ProjectRecord&) { return Status::ok(); })
                            .status()))
                ++expectedProjects;
        }
    };
    std::thread a(framesWriter, 1), b(customersWriter), c(framesWriter, 2);
    a.join();
    b.join();
    c.join();
    EXPECT_TRUE(otherFailures.empty()) << otherFailures.front();
    EXPECT_GE(operations.load(), 2000);
    EXPECT_LT(busy.load(), operations.load() / 10) << "the lock starves its waiters";

    auto frames = loadTimeFrames(fs, path(FileKind::TimeFrames));
    ASSERT_TRUE(frames);
    std::multiset<std::tuple<std::int32_t, std::int32_t, std::int32_t>> inFile;
    for (const auto& f : *frames) inFile.insert({f.projectId, f.start, f.end});
    EXPECT_TRUE(inFile == expectedFrames) << inFile.size() << " frames in the file, " << expectedFrames.size() << " expected";
    auto customers = loadCustomers(fs, path(FileKind::Customers));
    ASSERT_TRUE(customers);
    std::set<std::int32_t> ids;
    for (const auto& cu : *customers) ids.insert(cu.id);
    EXPECT_EQ(customers->size(), ids.size()) << "an id was given twice";
    EXPECT_EQ(ids, expectedCustomers);
    EXPECT_EQ(loadProjects(fs, path(FileKind::Projects))->size(), expectedProjects);
    EXPECT_FALSE(test::anyFileStartingWith(path(FileKind::Temporary)));
}

TEST_F(StoreRealUse, AWriterWaitsForTheLockABoundedTimeAndNestedTakesAreGrantedAtOnce) {
    const std::string lck = FileSet(settings).lock();
    auto held = fs.lock(lck, std::chrono::milliseconds(100));
    ASSERT_TRUE(held);
    EXPECT_TRUE(fs.lock(lck, std::chrono::milliseconds(0)));  // this file system holds it already

    PosixFileSystem other;
    const auto start = std::chrono::steady_clock::now();
    auto refused = std::async(std::launch::async, [&] { return other.lock(lck, std::chrono::milliseconds(200)).status(); }).get();
    EXPECT_FALSE(refused);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(200));

    // A writer of the other "process" waits while we hold the lock, then goes ahead.
    auto append = std::async(std::launch::async, [&] { return appendTimeFrame(other, FileSet(settings), {0, 1, 2}); });
    EXPECT_EQ(append.wait_for(std::chrono::milliseconds(150)), std::future_status::timeout);
    EXPECT_TRUE(readBytes(path(FileKind::TimeFrames)).empty());
    held = Status::ok();  // releases it
    EXPECT_TRUE(append.get());
    EXPECT_EQ(readBytes(path(FileKind::TimeFrames)).size(), TimeFrameRecord::kSize);

    // A lock file that cannot be opened is no sign of a busy set, and is said so.
    std::filesystem::remove(lck);
    std::filesystem::create_directory(lck);
    const Status st = appendTimeFrame(fs, FileSet(settings), {0, 3, 4});
    EXPECT_EQ(st.message(), "Cannot lock file set : " + lck);
    EXPECT_FALSE(st.reason().empty());
}

// The nesting belongs to the file system object: a second object is a second holder, on
// the same thread too, as a second process is.
TEST_F(StoreRealUse, AnotherFileSystemObjectWaitsForTheLockEvenOnTheSameThread) {
    const std::string lck = FileSet(settings).lock();
    PosixFileSystem first;
    PosixFileSystem second;
    auto held = first.lock(lck, std::chrono::milliseconds(100));
    ASSERT_TRUE(held);
    EXPECT_EQ(second.lock(lck, std::chrono::milliseconds(50)).status().reason(), kLockBusyReason);
    held = Status::ok();  // releases it
    EXPECT_TRUE(second.lock(lck, std::chrono::milliseconds(0)));
}

TEST_F(StoreRealUse, APlantedTemporaryLinkIsNeverFollowed) {
    const std::string outside = dir.path("outside.txt");
    writeBytes(outside, {'k', 'e', 'e', 'p'});
    ASSERT_EQ(::symlink(outside.c_str(), path(FileKind::Temporary).c_str()), 0);
    ProjectRecord p;
    p.name = "A";
    ASSERT_TRUE(writeProjects(fs, path(FileKind::Projects), {p}));
    EXPECT_EQ(readBytes(outside), (std::vector<unsigned char>{'k', 'e', 'e', 'p'}));
    EXPECT_TRUE(std::filesystem::is_symlink(path(FileKind::Temporary)));
    EXPECT_FALSE(std::filesystem::is_symlink(path(FileKind::Projects)));
    EXPECT_EQ(readBytes(path(FileKind::Projects)).size(), ProjectRecord::kSize);
}

TEST_F(StoreRealUse, ARewriteKeepsTheFileModeAndALinkedRecordFileStaysALink) {
    ::chmod(path(FileKind::Customers).c_str(), 0600);
    ::chmod(path(FileKind::Projects).c_str(), 0640);
    CustomerRecord c;
    ASSERT_TRUE(appendCustomer(fs, c, FileSet(settings)));
    ASSERT_TRUE(removeCustomer(fs, 0, path(FileKind::Customers)));
    ASSERT_TRUE(writeProjects(fs, path(FileKind::Projects), {ProjectRecord{}}));
    struct stat st {};
    ASSERT_EQ(::stat(path(FileKind::Customers).c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    ASSERT_EQ(::stat(path(FileKind::Projects).c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);

    // The time frames file lives in a synced folder; the set holds a link to it.
    std::filesystem::create_directory(dir.path("synced"));
    const std::string target = dir.path("synced/Work.tfr");
    std::filesystem::rename(path(FileKind::TimeFrames), target);
    std::filesystem::create_symlink(target, path(FileKind::TimeFrames));
    ASSERT_TRUE(appendTimeFrame(fs, FileSet(settings), {0, 1, 2}));
    ASSERT_TRUE(appendTimeFrame(fs, FileSet(settings), {0, 3, 4}));
    ASSERT_TRUE(removeTimeFrame(fs, path(FileKind::TimeFrames), {0, 1, 2}));
    EXPECT_TRUE(std::filesystem::is_symlink(path(FileKind::TimeFrames)));
    EXPECT_EQ(readBytes(target).size(), TimeFrameRecord::kSize);
    EXPECT_EQ(loadTimeFrames(fs, path(FileKind::TimeFrames))->front().start, 3);
    EXPECT_FALSE(test::anyFileStartingWith(dir.path("synced/Work.tmp")));
}

TEST_F(StoreRealUse, AFileThatNeverEndsIsRefusedAtOnce) {
    std::remove(path(FileKind::TimeFrames).c_str());
    ASSERT_EQ(::mkfifo(path(FileKind::TimeFrames).c_str(), 0600), 0);
    std::remove(path(FileKind::Customers).c_str());
    std::filesystem::create_symlink("/dev/zero", path(FileKind::Customers));

    auto start = std::chrono::steady_clock::now();
    const auto frames = loadTimeFrames(fs, path(FileKind::TimeFrames));
    EXPECT_FALSE(frames);
    EXPECT_EQ(frames.status().message(), timeFramesFileMessage(path(FileKind::TimeFrames)));
    EXPECT_FALSE(appendTimeFrame(fs, FileSet(settings), {0, 1, 2}));
    const auto customers = loadCustomers(fs, path(FileKind::Customers));
    EXPECT_FALSE(customers);
    EXPECT_EQ(customers.status().message(), customersFileMessage(path(FileKind::Customers)));
    EXPECT_FALSE(nextCustomerId(fs, FileSet(settings)));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
}

TEST_F(StoreRealUse, NewIdsPassEveryIdStillReferredTo) {
    // Project 15 was deleted; its frames are still in the file, and customer 4 is gone while
    // a project still bills it.
    ProjectRecord p;
    p.id = 3;
    p.customerId = 4;
    ASSERT_TRUE(writeProjects(fs, path(FileKind::Projects), {p}));
    ASSERT_TRUE(appendTimeFrame(fs, FileSet(settings), {15, 100, 200}));
    EXPECT_EQ(*highestProjectIdInFrames(fs, path(FileKind::TimeFrames)), 15);
    auto id = addProject(fs, FileSet(settings), ProjectRecord{}, [](const ProjectIndex&, ProjectRecord&) { return Status::ok(); });
    ASSERT_TRUE(id);
    EXPECT_EQ(*id, 16);
    EXPECT_EQ(highestProjectIdInUse({p}, 15, {21}), 21);
    EXPECT_EQ(*nextCustomerId(fs, FileSet(settings)), 5);
    CustomerRecord c;
    c.id = 1;
    ASSERT_TRUE(appendCustomer(fs, c, FileSet(settings)));
    EXPECT_EQ(*addCustomer(fs, CustomerRecord{}, FileSet(settings)), 5);
}

TEST_F(StoreRealUse, ARewriteFromAStaleSnapshotIsRefused) {
    ASSERT_TRUE(writeProjects(fs, path(FileKind::Projects), {ProjectRecord{}}));
    auto snapshot = loadProjectsSnapshot(fs, path(FileKind::Projects));
    ASSERT_TRUE(snapshot);
    EXPECT_TRUE(writeProjects(fs, path(FileKind::Projects), snapshot->records, snapshot->version));
    snapshot = loadProjectsSnapshot(fs, path(FileKind::Projects));
    // Someone else adds a project in between.
    ASSERT_TRUE(addProject(fs, FileSet(settings), ProjectRecord{}, [](const ProjectIndex&, ProjectRecord&) { return Status::ok(); }));
    const auto theirs = readBytes(path(FileKind::Projects));
    const Status st = writeProjects(fs, path(FileKind::Projects), snapshot->records, snapshot->version);
    EXPECT_FALSE(st);
    EXPECT_EQ(st.message(), projectsChangedMessage(path(FileKind::Projects)));
    EXPECT_EQ(readBytes(path(FileKind::Projects)), theirs);

    // The same for the settings: an invoice issued meanwhile keeps its number.
    const auto loaded = readSettings(fs, FileSet(settings));
    ASSERT_TRUE(loaded);
    SettingsRecord issued = *loaded;
    issued.nextInvoiceNumber = "9600002";
    ASSERT_TRUE(writeSettings(fs, issued, FileSet(settings)));
    SettingsRecord edited = *loaded;
    edited.companyName = "Mine";
    const Status refused = writeSettings(fs, edited, FileSet(settings), *loaded);
    EXPECT_EQ(refused.message(), settingsChangedMessage(FileSet(settings)));
    EXPECT_EQ(readSettings(fs, FileSet(settings))->nextInvoiceNumber, "9600002");
    EXPECT_TRUE(writeSettings(fs, edited, FileSet(settings), issued));
}

}  // namespace
}  // namespace ql

namespace ql {
namespace {

// Another program may rewrite a file in place and set its modification time back (a restore
// or sync tool): the file still counts as changed, so no cached totals or index outlive it.
TEST(FileIdentityTest, ARewriteInPlaceThatRestoresTheModificationTimeIsAChange) {
    test::TempDir dir;
    const std::string path = dir.path("Work.tfr");
    std::ofstream(path, std::ios::binary) << "0123456789";
    FileSystem& fs = defaultFileSystem();
    const FileIdentity before = fs.identify(path).value();
    EXPECT_TRUE(fs.identify(path).value().unchangedSince(before));

    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));  // past the clock's coarse tick
    {
        std::fstream inPlace(path, std::ios::binary | std::ios::in | std::ios::out);
        inPlace << "9876543210";
    }
    const struct timespec times[2] = {st.st_atim, st.st_mtim};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
    const FileIdentity after = fs.identify(path).value();
    ASSERT_EQ(after.modifiedNs, before.modifiedNs);
    ASSERT_EQ(after.size, before.size);
    EXPECT_FALSE(after.unchangedSince(before));
}

}  // namespace
}  // namespace ql
