#include "core/store/FileSet.h"

#include <gtest/gtest.h>

namespace ql {

TEST(FileSet, DropsTheLastThreeCharactersWhateverTheyAre) {
    EXPECT_EQ(fileSetPath("/x/Work.qlr", FileKind::Projects), "/x/Work.prj");
    EXPECT_EQ(fileSetPath("/x/Work.txt", FileKind::TimeFrames), "/x/Work.tfr");
    EXPECT_EQ(fileSetPath("/x/Workqlr", FileKind::Customers), "/x/Workcus");
    EXPECT_EQ(fileSetPath("/x/Work.prj", FileKind::Temporary), "/x/Work.tmp");
    EXPECT_EQ(basePath("ab"), "");
}

}  // namespace ql
