#pragma once

#include "core/Status.h"
#include "core/store/FileSystem.h"
#include "core/time/Clock.h"

#include <optional>
#include <ostream>
#include <string>
#include <vector>

// The commands of quillory-cli, one free function each. A request holds the option texts as
// typed; each command checks all of them, and every id they name, before it writes anything.
// Misuse (a malformed or unknown value, a path that is no file set) fails with
// InvalidArgument; a store operation that fails returns the store's Status and message.
namespace ql::cli {

enum class ShowWhat { Settings, Projects, Customers, Frames };

struct InitRequest {
    std::string path;
    std::optional<std::string> currency;   // overrides the locale's currency symbol
    std::optional<std::string> dateOrder;  // "mdy" or "dmy"; overrides the locale's order
    bool force = false;                    // replace an existing file set
};

struct ShowRequest {
    std::string path;
    ShowWhat what = ShowWhat::Settings;
    bool json = false;
};

struct AddProjectRequest {
    std::string path;
    std::string name;
    std::optional<std::string> parent;
    std::optional<std::string> customer;
    std::optional<std::string> rate;
    std::optional<std::string> memo;
};

struct AddCustomerRequest {
    std::string path;
    std::string name;
    std::optional<std::string> address, city, zip, state, country, phone, notes;
};

struct AddFrameRequest {
    std::string path;
    std::string project;
    std::string start;
    std::optional<std::string> end;      // exactly one of end and minutes
    std::optional<std::string> minutes;
};

struct RemoveFrameRequest {
    std::string path;
    std::string project;
    std::string start;
    std::string end;
};

struct TotalsRequest {
    std::string path;
    std::optional<std::string> at;  // the clock's time when absent
    bool json = false;
};

enum class HistorySort { Project = 0, Date = 1, Time = 2, Duration = 3, Charges = 4 };

struct HistoryRequest {
    std::string path;
    std::optional<std::string> project;  // overrides the saved filter's project
    std::optional<std::string> period;   // this-year|this-month|this-week|today|saved
    std::optional<std::string> from;     // DATE, with to instead of period
    std::optional<std::string> to;
    std::optional<std::string> at;       // the clock's time when absent
    HistorySort sort = HistorySort::Project;
    bool json = false;
};

struct SettingsRequest {
    std::string path;
    std::vector<std::string> assignments;  // KEY=VALUE, applied in order
    bool json = false;
};

// Creates a file set as File > New does, with the locale's currency symbol and date order
// unless the request overrides them. Refuses to replace an existing file without force.
Status runInit(FileSystem& fs, const InitRequest& request, std::ostream& out);

// Prints the records of one file of the set, as text or as one JSON array.
Status runShow(FileSystem& fs, const ShowRequest& request, std::ostream& out);

// Appends a project with the next id (highest + 1, 0 for the first) and prints that id.
Status runAddProject(FileSystem& fs, const AddProjectRequest& request, std::ostream& out);

// Appends a customer with the next id and prints that id.
Status runAddCustomer(FileSystem& fs, const AddCustomerRequest& request, std::ostream& out);

// Appends one time frame of an existing project; prints nothing.
Status runAddFrame(FileSystem& fs, const AddFrameRequest& request, std::ostream& out);

// Removes every copy of the time frame and prints how many there were; NotFound, with
// nothing written, when there is none.
Status runRemoveFrame(FileSystem& fs, const RemoveFrameRequest& request, std::ostream& out);

// Prints the four rows of the totals panel (today, this week, this month, this year) at
// the requested time or the clock's.
Status runTotals(FileSystem& fs, const Clock& clock, const TotalsRequest& request, std::ostream& out);

// Prints the rows of the history of charges chosen as the dialog chooses them: the saved
// filter unless a period, dates or a project are given; sorted ascending by one column,
// equal keys in file order. Text is one tab-separated row per frame with the dialog's
// column texts; JSON one object per row.
Status runHistory(FileSystem& fs, const Clock& clock, const HistoryRequest& request, std::ostream& out);

// Without assignments prints the settings record; otherwise checks every KEY=VALUE against
// its field (nothing is written when one is refused) and rewrites the settings file once.
Status runSettings(FileSystem& fs, const SettingsRequest& request, std::ostream& out);

}  // namespace ql::cli
