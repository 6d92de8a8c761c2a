#include "CliFixture.h"

#include "core/store/CustomerRecord.h"
#include "core/store/FileSet.h"
#include "core/store/ProjectRecord.h"
#include "core/store/TimeFrameRecord.h"

#include <chrono>
#include <set>
#include <sys/stat.h>
#include <thread>

namespace ql::test {
namespace {

using StoreUse = CliTest;

TEST_F(StoreUse, AddingLeavesEightBitRecordsAloneAndPassesEveryIdInUse) {
    init();
    // Written by an older 8-bit installation: project 0 (60 bytes of "é", an 8-bit memo),
    // billed to customer 4, which was removed; frames of project 15, which was deleted.
    ProjectRecord p;
    p.customerId = 4;
    auto project = encodeProject(p);
    std::fill(project.begin() + 4, project.begin() + 64, 0xE9);
    std::fill(project.begin() + 77, project.begin() + 1077, 0xE8);
    project[1078 - 4] = 0;  // a shorter memo, with the old writer's leftovers after its NUL
    project[1078 - 3] = 0x55;
    writeBytes(fileSetPath(path, FileKind::Projects), {project.begin(), project.end()});
    CustomerRecord c;
    c.id = 1;
    auto customer = encodeCustomer(c);
    std::fill(customer.begin() + 4, customer.begin() + 64, 0xC4);
    customer[126] = 'Z';  // city "Z" and leftovers after its NUL
    customer[128] = 0xAA;
    writeBytes(fileSetPath(path, FileKind::Customers), {customer.begin(), customer.end()});
    const auto frame = encodeTimeFrame({15, 100, 200});
    writeBytes(fileSetPath(path, FileKind::TimeFrames), {frame.begin(), frame.end()});

    EXPECT_EQ(ok({"add-project", path, "--name", "Fresh", "--rate", "100"}), "16\n");
    EXPECT_EQ(ok({"add-customer", path, "--name", "New"}), "5\n");
    const auto projects = readBytes(fileSetPath(path, FileKind::Projects));
    ASSERT_EQ(projects.size(), 2 * ProjectRecord::kSize);
    EXPECT_TRUE(std::equal(project.begin(), project.end(), projects.begin()));
    const auto customers = readBytes(fileSetPath(path, FileKind::Customers));
    EXPECT_TRUE(std::equal(customer.begin(), customer.end(), customers.begin()));
}

// Two processes at once, as a cron job beside the window: every id printed is in the file.
TEST_F(StoreUse, TwoProcessesAddingAtOnceLoseNothing) {
    init();
    constexpr int kEach = 25;
    std::vector<std::string> printed[2];
    auto run = [&](int who) {
        for (int i = 0; i < kEach; ++i) {
            const CliRun r = runCli({"add-project", path, "--name", "P" + std::to_string(who) + "-" + std::to_string(i)});
            if (r.exitCode == 0) printed[who].push_back(r.out);
            const CliRun f = runCli({"add-frame", path, "--project", "0", "--start", "1996-12-11 09:00", "--minutes",
                                     std::to_string(i + 1)});
            EXPECT_EQ(f.exitCode == 0, true) << f.err;
        }
    };
    // The frames need a project 0 to refer to.
    ok({"add-project", path, "--name", "Base"});
    std::thread a(run, 0), b(run, 1);
    a.join();
    b.join();
    const nlohmann::json projects = showJson("projects");
    std::set<std::string> inFile;
    for (const auto& p : projects) inFile.insert(std::to_string(p["id"].get<int>()) + "\n");
    EXPECT_EQ(printed[0].size() + printed[1].size(), 2u * kEach);
    for (const auto& list : printed)
        for (const std::string& id : list) EXPECT_TRUE(inFile.count(id)) << id;
    EXPECT_EQ(projects.size(), 2u * kEach + 1);
    EXPECT_EQ(readBytes(fileSetPath(path, FileKind::TimeFrames)).size(), 2u * kEach * TimeFrameRecord::kSize);
}

TEST_F(StoreUse, InitAfterAFailedInitNeedsNoForceButDataStillDoes) {
    for (FileKind kind : {FileKind::Customers, FileKind::Projects, FileKind::TimeFrames, FileKind::Settings})
        writeBytes(fileSetPath(path, kind), {});
    init();
    EXPECT_EQ(readBytes(fileSetPath(path, FileKind::Settings)).size(), 1602u);
    const CliRun again = runCli({"init", path});
    EXPECT_EQ(again.exitCode, 2);
    EXPECT_NE(again.err.find("already exists"), std::string::npos);
}

TEST_F(StoreUse, AFileThatNeverEndsFailsAtOnceWithTheSystemsReason) {
    init();
    const std::string tfr = fileSetPath(path, FileKind::TimeFrames);
    std::remove(tfr.c_str());
    ASSERT_EQ(::mkfifo(tfr.c_str(), 0600), 0);
    const auto start = std::chrono::steady_clock::now();
    const CliRun r = runCli({"totals", path, "--at", "1996-12-11 10:00"});
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "quillory-cli: Cannot open time frames file : " + tfr + " (not a regular file)\n");
}

}  // namespace
}  // namespace ql::test
