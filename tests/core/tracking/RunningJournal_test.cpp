#include "core/tracking/RunningJournal.h"

#include "support/FaultyFileSystem.h"
#include "support/SpecialFiles.h"
#include "core/support/TempDir.h"
#include "core/tracking/JournalKeeper.h"
#include "core/tracking/RunLock.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <set>
#include <sys/stat.h>

namespace ql {
namespace {

constexpr std::int32_t kT0 = 850316400;

// Project 7 was checked in at kT0 and has been paused for 30 seconds since.
const JournalState kTwoPaused{{{7, kT0 + 30, kT0}, {-3, kT0 + 61}}, true, kT0 + 90, kT0 + 120};
// Two running, the user away since kT0 + 100.
const JournalState kTwoAway{{{7, kT0, kT0}, {-3, kT0 + 61}}, false, kT0 + 90, kT0 + 120, kT0 + 100};

// A journal as the build before check-in times wrote it (version 1): projects 7 and -3 from
// kT0 and kT0 + 61, paused at kT0 + 90, last seen at kT0 + 120.
const std::vector<unsigned char> kVersion1Journal{
    0x51, 0x4C, 0x52, 0x4E, 0x01, 0x00, 0x00, 0x00, 0xE8, 0xCC, 0xAE, 0x32, 0x01, 0x00, 0x00,
    0x00, 0xCA, 0xCC, 0xAE, 0x32, 0x02, 0x00, 0x00, 0x00, 0x07, 0x00, 0x00, 0x00, 0x70, 0xCC,
    0xAE, 0x32, 0xFD, 0xFF, 0xFF, 0xFF, 0xAD, 0xCC, 0xAE, 0x32, 0x2B, 0xC4, 0x41, 0x3E};

std::int32_t int32At(const std::vector<unsigned char>& bytes, std::size_t offset) {
    return static_cast<std::int32_t>(bytes[offset] | bytes[offset + 1] << 8 | bytes[offset + 2] << 16 |
                                     static_cast<std::uint32_t>(bytes[offset + 3]) << 24);
}

void putInt32At(std::vector<unsigned char>& bytes, std::size_t offset, std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    for (std::size_t i = 0; i < 4; ++i) bytes[offset + i] = static_cast<unsigned char>(bits >> (8 * i));
}

// Replaces the last four bytes with the checksum of the others, so a forged journal is
// refused for what it says, not for a bad checksum.
void reseal(std::vector<unsigned char>& bytes) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = 0; i + 4 < bytes.size(); ++i) {
        crc ^= bytes[i];
        for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    putInt32At(bytes, bytes.size() - 4, static_cast<std::int32_t>(~crc));
}

TEST(JournalCodec, FieldsSitAtTheirOffsetsAndRoundTrip) {
    const std::vector<unsigned char> bytes = encodeJournal(kTwoPaused);
    ASSERT_EQ(bytes.size(), 32u + 2 * 12);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "QLRN");
    const std::pair<std::size_t, std::int32_t> fields[] = {
        {4, 3},  {8, kT0 + 120}, {12, 1},       {16, kT0 + 90},  {20, 2},
        {24, 7}, {28, kT0 + 30}, {32, kT0},     {36, -3},        {40, kT0 + 61}, {44, kT0 + 61},
        {48, 0},
    };
    for (const auto& [offset, value] : fields) EXPECT_EQ(int32At(bytes, offset), value) << "offset " << offset;
    EXPECT_EQ(int32At(encodeJournal(kTwoAway), 48), kT0 + 100);

    const JournalState cases[] = {
        {},
        kTwoPaused,
        {{{0, 1}, {1, 2, 0}, {2, 3}, {3, 4, 1}, {4, 5}}, false, 0, 6},
        {{{INT32_MAX, INT32_MIN, INT32_MIN}, {INT32_MIN, INT32_MAX, INT32_MAX}}, false, INT32_MIN, INT32_MAX},
        kTwoAway,
        {{}, false, 0, kT0, INT32_MAX},
    };
    for (const JournalState& state : cases) {
        const auto encoded = encodeJournal(state);
        EXPECT_EQ(decodeJournal(encoded.data(), encoded.size()), state);
    }
}

// A journal the previous build left behind after a crash is still offered back.
TEST(JournalCodec, AnEarlierJournalReadsWithEachEntryCheckedInAtItsStart) {
    const JournalState expected{{{7, kT0, kT0}, {-3, kT0 + 61, kT0 + 61}}, true, kT0 + 90, kT0 + 120};
    EXPECT_EQ(decodeJournal(kVersion1Journal.data(), kVersion1Journal.size()), expected);
    std::vector<unsigned char> none(kVersion1Journal.begin(), kVersion1Journal.begin() + 28);
    putInt32At(none, 20, 0);
    reseal(none);
    EXPECT_EQ(decodeJournal(none.data(), none.size()), (JournalState{{}, true, kT0 + 90, kT0 + 120}));

    // Version 2 is version 3 without the absence: the user was present.
    std::vector<unsigned char> version2 = encodeJournal(kTwoAway);
    version2.erase(version2.end() - 8, version2.end() - 4);
    putInt32At(version2, 4, 2);
    reseal(version2);
    JournalState present = kTwoAway;
    present.awaySince = 0;
    EXPECT_EQ(decodeJournal(version2.data(), version2.size()), present);
}

// A torn, padded or scribbled journal of either layout must never read as some other
// running state.
TEST(JournalCodec, AnythingButOneWholeJournalIsRefused) {
    for (const auto& whole : {encodeJournal(kTwoPaused), encodeJournal(kTwoAway), kVersion1Journal}) {
        SCOPED_TRACE("version " + std::to_string(int32At(whole, 4)));
        for (std::size_t size = 0; size < whole.size(); ++size)
            EXPECT_FALSE(decodeJournal(whole.data(), size)) << "torn at " << size;
        std::vector<unsigned char> padded = whole;
        padded.push_back(0);
        EXPECT_FALSE(decodeJournal(padded.data(), padded.size()));
        for (std::size_t at = 0; at < whole.size(); ++at) {
            for (const int flip : {0x01, 0x80, 0xFF}) {
                std::vector<unsigned char> scribbled = whole;
                scribbled[at] = static_cast<unsigned char>(scribbled[at] ^ flip);
                EXPECT_FALSE(decodeJournal(scribbled.data(), scribbled.size())) << "byte " << at << " ^ " << flip;
            }
        }
    }
    // Sealed with a good checksum, and still not a journal this build can take as it stands.
    struct Forged {
        const char* what;
        std::vector<unsigned char> base;
        std::size_t offset;
        std::int32_t value;
    };
    const Forged forged[] = {
        {"version 0", encodeJournal(kTwoPaused), 4, 0},
        {"version 4", encodeJournal(kTwoPaused), 4, 4},
        {"version 1 with entries of version 3", encodeJournal(kTwoPaused), 4, 1},
        {"version 2 with the absence of version 3", encodeJournal(kTwoPaused), 4, 2},
        {"version 2 with entries of version 1", kVersion1Journal, 4, 2},
        {"version 3 with entries of version 1", kVersion1Journal, 4, 3},
        {"an absence before 1970", encodeJournal(kTwoAway), 48, -5},
        {"paused 2", encodeJournal(kTwoPaused), 12, 2},
        {"one entry more than the bytes hold", encodeJournal(kTwoPaused), 20, 3},
        {"a negative count", kVersion1Journal, 20, -1},
    };
    for (const Forged& f : forged) {
        std::vector<unsigned char> bytes = f.base;
        putInt32At(bytes, f.offset, f.value);
        reseal(bytes);
        EXPECT_FALSE(decodeJournal(bytes.data(), bytes.size())) << f.what;
    }
    // Six entries with a checksum that matches are still more than can run.
    JournalState six = kTwoPaused;
    six.entries.resize(6, {1, kT0});
    std::vector<unsigned char> fiveStored = encodeJournal(six);
    EXPECT_EQ(decodeJournal(fiveStored.data(), fiveStored.size())->entries.size(), 5u);
    const std::vector<unsigned char> garbage(40, 0xAB);
    EXPECT_FALSE(decodeJournal(garbage.data(), garbage.size()));
}

class JournalFile : public ::testing::Test {
protected:
    test::TempDir dir;
    std::string settings = dir.path("Work.qlr");
    std::string path = FileSet(settings).journal();
};

TEST_F(JournalFile, SitsBesideTheSetAndReadsBackWhatWasWritten) {
    EXPECT_EQ(path, dir.path("Work.run"));
    auto none = readJournal(defaultFileSystem(), path);
    ASSERT_TRUE(none);
    EXPECT_FALSE(*none);

    ASSERT_TRUE(writeJournal(defaultFileSystem(), path, kTwoPaused));
    EXPECT_EQ(test::readBytes(path), encodeJournal(kTwoPaused));
    auto read = readJournal(defaultFileSystem(), path);
    ASSERT_TRUE(read);
    EXPECT_EQ(*read, kTwoPaused);
    EXPECT_FALSE(test::anyFileStartingWith(dir.path("Work.tmp")));

    // A rewrite keeps the journal's permission bits, as every rewrite of the set does.
    ASSERT_EQ(::chmod(path.c_str(), 0600), 0);
    ASSERT_TRUE(writeJournal(defaultFileSystem(), path, {}));
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);

    ASSERT_TRUE(removeJournal(defaultFileSystem(), path));
    EXPECT_FALSE(test::fileExists(path));
    EXPECT_TRUE(removeJournal(defaultFileSystem(), path));  // none left is not a failure

    test::writeBytes(path, std::vector<unsigned char>(500, 'x'));
    auto garbage = readJournal(defaultFileSystem(), path);
    ASSERT_FALSE(garbage);
    EXPECT_EQ(garbage.status().message(), "Cannot read running projects file : " + path);
}

// A FIFO, a folder or a link to a device where the journal goes is never read, written over,
// removed or replaced, and is named by the same mark until something else sits there.
TEST_F(JournalFile, AJournalThatIsNoRegularFileIsLeftAsItIs) {
    namespace fs = std::filesystem;
    const std::string device = test::memoryDevice(dir.path("null"), 3, "/dev/null");
    struct Case {
        const char* what;
        std::function<void()> make;
        fs::file_type type;  // of the journal's own entry, links not followed
    };
    const Case cases[] = {
        {"fifo", [this] { ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0); }, fs::file_type::fifo},
        {"folder", [this] { ASSERT_TRUE(fs::create_directory(path)); }, fs::file_type::directory},
        {"device link", [this, &device] { fs::create_symlink(device, path); }, fs::file_type::symlink},
    };
    std::set<std::string> marks;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        c.make();
        const auto mark = unusableJournalMark(defaultFileSystem(), path);
        ASSERT_TRUE(mark);
        EXPECT_EQ(unusableJournalMark(defaultFileSystem(), path), mark);
        marks.insert(*mark);
        EXPECT_FALSE(readJournal(defaultFileSystem(), path));
        const Status written = writeJournal(defaultFileSystem(), path, kTwoPaused);
        EXPECT_EQ(written.message(), journalWriteMessage(path));
        EXPECT_TRUE(removeJournal(defaultFileSystem(), path));
        EXPECT_EQ(fs::symlink_status(path).type(), c.type);
        EXPECT_TRUE(fs::is_character_file(device));
        EXPECT_FALSE(test::anyFileStartingWith(dir.path("Work.tmp")));
        EXPECT_FALSE(test::anyFileStartingWith(dir.path("nulltmp")));
        fs::remove(path);
    }
    EXPECT_EQ(marks.size(), 3u);
    EXPECT_FALSE(unusableJournalMark(defaultFileSystem(), path));  // nothing there
    ASSERT_TRUE(writeJournal(defaultFileSystem(), path, kTwoPaused));
    EXPECT_FALSE(unusableJournalMark(defaultFileSystem(), path));  // a journal
}

// Every call of a journal write failed in turn (and every write cut short): the journal
// reads as the old state or the new one, never anything else, and no temporary is left.
TEST_F(JournalFile, AFailureAtAnyStepLeavesTheOldJournalOrTheNewOne) {
    const JournalState after{{{7, kT0}}, false, kT0 + 90, kT0 + 150};
    for (const bool hadJournal : {true, false}) {
        for (const bool shortWrite : {false, true}) {
            for (int nth = 1;; ++nth) {
                if (hadJournal) ASSERT_TRUE(writeJournal(defaultFileSystem(), path, kTwoPaused));
                else (void)removeJournal(defaultFileSystem(), path);
                test::FaultyFileSystem faulty;
                faulty.failCall(nth, shortWrite);
                const Status st = writeJournal(faulty, path, after);
                if (!faulty.failed()) {
                    EXPECT_TRUE(st);
                    EXPECT_GT(nth, 3);  // create, write, sync, rename were all reached
                    break;
                }
                auto read = readJournal(defaultFileSystem(), path);
                ASSERT_TRUE(read) << "call " << nth;
                if (st) {
                    EXPECT_EQ(*read, after);
                } else {
                    EXPECT_EQ(st.message(), journalWriteMessage(path));
                    if (hadJournal) EXPECT_EQ(*read, kTwoPaused) << "call " << nth;
                    else EXPECT_FALSE(*read) << "call " << nth;
                }
                EXPECT_FALSE(test::anyFileStartingWith(dir.path("Work.tmp"))) << "call " << nth;
            }
        }
    }
}

TEST_F(JournalFile, OneWindowHoldsTheRunLockOfASet) {
    RunLock first;
    RunLock second;
    EXPECT_EQ(first.acquire(FileSet(settings)), RunLock::Outcome::Acquired);
    EXPECT_EQ(second.acquire(FileSet(settings)), RunLock::Outcome::HeldElsewhere);
    EXPECT_FALSE(second.held());
    EXPECT_EQ(FileSet(settings).runLock(), dir.path("Work.rul"));
    // Journal writes rename over "run"; the lock file is another one and stays.
    ASSERT_TRUE(writeJournal(defaultFileSystem(), path, kTwoPaused));
    EXPECT_EQ(second.acquire(FileSet(settings)), RunLock::Outcome::HeldElsewhere);
    first.release();
    EXPECT_EQ(second.acquire(FileSet(settings)), RunLock::Outcome::Acquired);
    EXPECT_TRUE(test::fileExists(FileSet(settings).runLock()));
    EXPECT_EQ(first.acquire(FileSet(dir.path("missing/Work.qlr"))), RunLock::Outcome::Unavailable);
}

TEST_F(JournalFile, TheKeeperFollowsTheRunningListOnlyWhileItOwnsTheSet) {
    JournalKeeper owner(defaultFileSystem());
    JournalKeeper other(defaultFileSystem());
    ASSERT_EQ(owner.claim(FileSet(settings)), RunLock::Outcome::Acquired);
    ASSERT_EQ(other.claim(FileSet(settings)), RunLock::Outcome::HeldElsewhere);
    EXPECT_FALSE(other.owns());

    RunningProjects running;
    running.checkIn(4, kT0);
    ASSERT_TRUE(owner.record(running, kT0 + 30));
    EXPECT_EQ(**owner.read(), (JournalState{{{4, kT0}}, false, 0, kT0 + 30}));
    RunningProjects stranger;
    stranger.checkIn(9, kT0);
    EXPECT_TRUE(other.record(stranger, kT0 + 60));
    EXPECT_TRUE(other.discard());
    EXPECT_EQ((**owner.read()).entries, (std::vector<RunningEntry>{{4, kT0}}));

    ASSERT_TRUE(owner.record(RunningProjects(), kT0 + 90));
    EXPECT_FALSE(test::fileExists(path));
}

// A journal that cannot be written is reported when writing starts to fail, not at every tick.
TEST_F(JournalFile, TheKeeperReportsAFailingJournalOnceUntilAWriteSucceeds) {
    test::FaultyFileSystem faulty;
    JournalKeeper keeper(faulty);
    ASSERT_EQ(keeper.claim(FileSet(settings)), RunLock::Outcome::Acquired);
    RunningProjects running;
    running.checkIn(1, kT0);
    faulty.failEvery(test::FaultyFileSystem::Op::Create);
    EXPECT_FALSE(keeper.record(running, kT0));
    EXPECT_TRUE(keeper.record(running, kT0 + 30));
    EXPECT_TRUE(keeper.record(running, kT0 + 60));
    EXPECT_FALSE(test::fileExists(path));
    keeper.release();

    test::FaultyFileSystem healthy;
    JournalKeeper again(healthy);
    ASSERT_EQ(again.claim(FileSet(settings)), RunLock::Outcome::Acquired);
    EXPECT_TRUE(again.record(running, kT0));
    healthy.failEvery(test::FaultyFileSystem::Op::Rename);
    const Status first = again.record(running, kT0 + 30);
    EXPECT_EQ(first.message(), journalWriteMessage(path));
    EXPECT_TRUE(again.record(running, kT0 + 60));
    EXPECT_EQ((**again.read()).heartbeat, kT0);  // the last good journal stands
}

}  // namespace
}  // namespace ql
