#include "ui/settings/SettingsCommands.h"

#include "core/store/SettingsRecord.h"
#include "ui/common/CommandIds.h"
#include "ui/common/LocaleFacts.h"
#include "ui/common/Modal.h"
#include "ui/common/OpenDocument.h"
#include "ui/settings/CPropertiesSheet.h"

void editProperties(const CommandContext& context) {
    if (!context.document.fileSetOpen()) return;
    const LocaleFacts locale = localeFacts();
    CPropertiesSheet sheet(context.fileSystem, context.prompter, &context.help, context.document.fileSet(),
                           ql::defaultSettings(locale.currencySymbol, locale.monthFirst), context.parent);
    if (context.modal.runDialog(sheet) == QDialog::Accepted) context.document.notifyViews(hint::kTotals);
}
