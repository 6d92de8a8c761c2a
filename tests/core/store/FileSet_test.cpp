#include "core/store/FileSet.h"

#include <gtest/gtest.h>

namespace ql {

TEST(FileSet, DropsTheLastThreeCharactersWhateverTheyAre) {
    EXPECT_EQ(fileSetPath("/x/Work.qlr", FileKind::Projects), "/x/Work.prj");
    EXPECT_EQ(fileSetPath("/x/Work.txt", FileKind::TimeFrames), "/x/Work.tfr");
    EXPECT_EQ(fileSetPath("/x/Workqlr", FileKind::Customers), "/x/Workcus");
    EXPECT_EQ(fileSetPath("/x/Work.prj", FileKind::Temporary), "/x/Work.tmp");
    EXPECT_EQ(FileSet("ab").base(), "");
}

TEST(FileSet, NamesEveryFileOfTheSetFromAnyOfItsPaths) {
    const FileSet set("/x/Work.txt");
    EXPECT_EQ(set.chosen(), "/x/Work.txt");
    EXPECT_EQ(set.base(), "/x/Work.");
    const std::pair<FileKind, const char*> expected[] = {
        {FileKind::Settings, "/x/Work.qlr"},      {FileKind::Projects, "/x/Work.prj"},
        {FileKind::TimeFrames, "/x/Work.tfr"},    {FileKind::Customers, "/x/Work.cus"},
        {FileKind::HistoryFilter, "/x/Work.his"}, {FileKind::Temporary, "/x/Work.tmp"},
        {FileKind::Lock, "/x/Work.lck"},          {FileKind::RunLock, "/x/Work.rul"},
        {FileKind::Journal, "/x/Work.run"},       {FileKind::Register, "/x/Work.ivr"},
        {FileKind::Billing, "/x/Work.bil"},       {FileKind::CustomerBilling, "/x/Work.bcu"},
        {FileKind::InvoiceTexts, "/x/Work.ivt"},
    };
    for (const auto& [kind, path] : expected) {
        EXPECT_EQ(set.path(kind), path) << fileExtension(kind);
        EXPECT_EQ(fileSetPath("/x/Work.qlr", kind), path) << fileExtension(kind);
    }
    EXPECT_EQ(set.settings(), "/x/Work.qlr");
    EXPECT_EQ(set.lock(), FileSet("/x/Work.cus").lock());
    EXPECT_EQ(FileSet("ab").timeFrames(), "tfr");
}

}  // namespace ql
