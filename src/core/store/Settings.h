#pragma once

#include "core/Status.h"
#include "core/store/FileSet.h"
#include "core/store/FileSystem.h"
#include "core/store/SettingsRecord.h"

#include <functional>
#include <string>

namespace ql {

// Creates (or empties) the chosen file of set, then its "cus", "prj", "tfr" and "qlr" files,
// and writes defaultSettings(currencySymbol, monthFirst) to the "qlr" file.
// Fails with MessageId::CannotCreateNewProject; files created before the failure stay empty.
Status createFileSet(FileSystem& fs, const FileSet& set, const std::string& currencySymbol, bool monthFirst);

// The settings record of set; NotFound or IoError when the "qlr" file cannot be read or
// holds less than one record.
Result<SettingsRecord> readSettings(FileSystem& fs, const FileSet& set);

// readSettings, or the defaults of a new file set when the file cannot be read.
SettingsRecord readSettingsOrDefaults(FileSystem& fs, const FileSet& set, const std::string& currencySymbol,
                                      bool monthFirst);

// Replaces the "qlr" file of set crash-safely. Fields left as the file holds them keep their
// bytes; a text its field cannot hold whole is refused (InvalidArgument).
Status writeSettings(FileSystem& fs, const SettingsRecord& record, const FileSet& set);

// Reads the settings record, lets change edit it and writes it back, all under the set's lock,
// so another program's change in between is never undone. Fails, writing nothing, when the
// record cannot be read ("Cannot open settings file : " + path), when change refuses, or as
// writeSettings does.
Status updateSettings(FileSystem& fs, const FileSet& set, const std::function<Status(SettingsRecord&)>& change);

// The refusal when the settings of set changed since a dialog loaded them.
Message settingsChangedMessage(const FileSet& set);

// writeSettings for a dialog that edits all of the record it loaded: refused (InvalidArgument,
// settingsChangedMessage) when the file no longer reads as `loaded`, so someone else's change
// (the next invoice number, say) is not undone.
Status writeSettings(FileSystem& fs, const SettingsRecord& record, const FileSet& set, const SettingsRecord& loaded);

}  // namespace ql
