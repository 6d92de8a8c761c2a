#include "ShellFixture.h"

#include "ui/common/CommandIds.h"
#include "ui/app/CTessalyView.h"
#include "ui/reports/PrintDispatch.h"
#include "print/PageSource.h"

#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>

#include <functional>

namespace {

// Runs act on the next modal dialog once it is open; the commands run their dialogs themselves.
void onNextModal(const std::function<void(QWidget*)>& act) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) return;
        timer->stop();
        timer->deleteLater();
        act(modal);
    });
    timer->start();
}

class EditCommands : public ShellTest {};

TEST_F(EditCommands, EditProjectsOpensTheTreeAndRefreshesTheView) {
    auto app = startApp(makeFileSet(QStringLiteral("Work.qlr")));
    QSignalSpy hints(&app->document(), &CTessalyDoc::updateHint);
    int previews = 0;
    app->printDispatch().setPreviewRunner([&previews](QPrinter&, PageSource&) { ++previews; });
    QString opened;
    onNextModal([&opened](QWidget* dialog) {
        opened = QString::fromLatin1(dialog->metaObject()->className());
        static_cast<QDialog*>(dialog)->reject();
    });
    app->frame().action(cmd::kEditProjects)->trigger();
    EXPECT_EQ(opened, QStringLiteral("CProjectsTreeDlg"));
    ASSERT_EQ(hints.count(), 2);
    EXPECT_EQ(hints.at(0).at(0).toInt(), hint::kTotals);
    EXPECT_EQ(hints.at(1).at(0).toInt(), hint::kWeekChart);
}

TEST_F(EditCommands, PrintInTheCustomerListAsksForThePrintedList) {
    auto app = startApp(makeFileSet(QStringLiteral("Work.qlr")));
    QSignalSpy hints(&app->document(), &CTessalyDoc::updateHint);
    int previews = 0;
    app->printDispatch().setPreviewRunner([&previews](QPrinter&, PageSource&) { ++previews; });
    QString opened;
    onNextModal([&opened](QWidget* dialog) {
        opened = QString::fromLatin1(dialog->metaObject()->className());
        dialog->findChild<QPushButton*>(QStringLiteral("printButton"))->click();
    });
    app->frame().action(cmd::kEditCustomers)->trigger();
    EXPECT_EQ(opened, QStringLiteral("CCustomersDlg"));
    ASSERT_EQ(hints.count(), 1);
    EXPECT_EQ(hints.at(0).at(0).toInt(), hint::kPrintCustomers);
    EXPECT_EQ(previews, 1);

    // Exit prints nothing.
    onNextModal([](QWidget* dialog) { dialog->findChild<QPushButton*>(QStringLiteral("exitButton"))->click(); });
    app->frame().action(cmd::kEditCustomers)->trigger();
    EXPECT_EQ(hints.count(), 1);
    EXPECT_EQ(previews, 1);
}

TEST_F(EditCommands, WithoutAFileSetTheCommandsAreDisabled) {
    auto app = startApp();
    EXPECT_FALSE(app->frame().action(cmd::kEditProjects)->isEnabled());
    EXPECT_FALSE(app->frame().action(cmd::kEditCustomers)->isEnabled());
}

}  // namespace
