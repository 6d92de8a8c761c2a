#include "ShellFixture.h"

#include "ui/common/CommandIds.h"

#include <QAction>

namespace {

class EditCommands : public ShellTest {};

TEST_F(EditCommands, WithoutAFileSetTheCommandsAreDisabled) {
    auto app = startApp();
    EXPECT_FALSE(app->frame().action(cmd::kEditProjects)->isEnabled());
    EXPECT_FALSE(app->frame().action(cmd::kEditCustomers)->isEnabled());
}

}  // namespace
