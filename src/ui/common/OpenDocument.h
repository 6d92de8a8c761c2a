#pragma once

#include "core/Status.h"
#include "core/store/FileSet.h"
#include "core/tracking/RunningProjects.h"

#include <QString>

#include <cstdint>

// The document as the features see it: which file set is open, the running projects and the
// operations that change them, and the update hints to the views. The shell's document
// implements it, so a feature never includes the shell.
class OpenDocument {
public:
    virtual ~OpenDocument() = default;

    virtual bool fileSetOpen() const = 0;
    // Every file of the chosen set; meaningful while fileSetOpen().
    virtual const ql::FileSet& fileSet() const = 0;
    // The settings file as the user chose it (for folders proposed in dialogs and for messages).
    virtual const QString& settingsPath() const = 0;

    // The running projects in check-in order, with the pause state.
    virtual const ql::RunningProjects& running() const = 0;
    // True when this window owns the set's running projects (claiming them if their window
    // has gone); false when another window holds them.
    virtual bool claimForCheckIn() = 0;
    // Starts timing projectId now; LimitReached (nothing changes) when the limit already runs.
    virtual ql::CheckInResult checkIn(std::int32_t projectId) = 0;
    // Stops projectId and appends its frame; on a failed write it keeps running and the
    // store's message is returned.
    virtual ql::Status checkOut(std::int32_t projectId) = 0;
    // Pauses or resumes every running project.
    virtual void togglePause() = 0;

    // Tells the views what changed (the hints of CommandIds.h).
    virtual void notifyViews(int hint) = 0;
};
