#include "ui/tracking/TrackingCommands.h"
#include "ui/common/CoreText.h"

#include <QCoreApplication>

#include "ui/common/CommandIds.h"
#include "ui/common/Modal.h"
#include "ui/common/OpenDocument.h"
#include "ui/common/Prompter.h"
#include "ui/projects/ProjectCommands.h"
#include "ui/tracking/CSelectRunningDlg.h"
#include "ui/tracking/RunningHeldElsewhere.h"

void checkIn(const CommandContext& context) {
    OpenDocument& document = context.document;
    if (!document.fileSetOpen()) {
        context.prompter.inform(QCoreApplication::translate("TrackingCommands", "File not found"),
                                QCoreApplication::translate("TrackingCommands",
                                                            "No file has been opened. Cannot load the projects file."),
                                Prompter::Icon::Information);
        return;
    }
    if (!document.claimForCheckIn()) {
        context.prompter.inform(QStringLiteral("Quillory"), runningHeldElsewhereText(document.settingsPath()),
                                Prompter::Icon::Information);
        return;
    }
    // The running projects' own rule, asked before the tree opens so nobody picks a project
    // for nothing.
    if (document.running().full()) {
        context.prompter.inform(QCoreApplication::translate("TrackingCommands", "Too many projects"),
                                QCoreApplication::translate("TrackingCommands",
                                    "The limit of 5 projects being charged at the same time has been "
                                               "reached. Check out from a project before checking in."),
                                Prompter::Icon::Information);
        return;
    }
    const std::optional<std::int32_t> chosen = chooseProject(context);
    if (!chosen) return;
    // The start is taken now, when the tree has closed, not when the command was given.
    document.checkIn(*chosen);
}

void checkOut(const CommandContext& context) {
    OpenDocument& document = context.document;
    const ql::RunningProjects& running = document.running();
    if (running.empty()) return;
    std::optional<std::int32_t> id;
    if (running.count() == 1) {
        id = running.entries().front().projectId;
    } else {
        CSelectRunningDlg dialog(context.fileSystem, context.prompter, document.fileSet(),
                                 running.runningIds(), context.parent);
        if (context.modal.runDialog(dialog) == QDialog::Accepted && dialog.chosenId() != -1) id = dialog.chosenId();
    }
    if (id) {
        const ql::Status written = document.checkOut(*id);
        // The project keeps running, so the user can check out again once the file is back.
        if (!written)
            context.prompter.inform(QStringLiteral("Quillory"), coreText(written),
                                    Prompter::Icon::Warning);
    }
    document.notifyViews(hint::kTotals);
    document.notifyViews(hint::kWeekChart);
}

void pause(const CommandContext& context) {
    if (context.document.running().empty()) return;
    context.document.togglePause();
}
