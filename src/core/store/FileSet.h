#pragma once

#include <array>
#include <cstddef>
#include <string>

namespace ql {

// The files of one file set share a base path: the chosen settings-file path less its
// last three characters, whatever they are. Each file is that base plus an extension.
enum class FileKind {
    Settings,       // "qlr"
    Projects,       // "prj"
    TimeFrames,     // "tfr"
    Customers,      // "cus"
    HistoryFilter,  // "his"
    Temporary,      // "tmp": the prefix of every rewrite's temporary file
    Lock,           // "lck": the set's write lock, never renamed over
    RunLock,        // "rul": the window that owns the running projects
    Journal,        // "run": the journal of the running projects
    Register,       // "ivr": the register of issued invoices
    Billing,        // "bil": the seller's billing details
    CustomerBilling,  // "bcu": the billing details of each customer, by customer id
    InvoiceTexts,   // "ivt": what each issued invoice showed, which the register points into
};
inline constexpr std::size_t kFileKindCount = 13;

// "qlr", "prj", "tfr", "cus", "his", "tmp", "lck", "rul", "run", "ivr", "bil", "bcu" or "ivt".
const char* fileExtension(FileKind kind);

// FileSet(anyPathOfTheSet).path(kind), for a caller that needs one file of the set.
std::string fileSetPath(const std::string& anyPathOfTheSet, FileKind kind);

// Every file of one set, named once from the path the user chose (any path of the set).
// A plain value: cheap to pass by reference, made once per opened set or command.
class FileSet {
public:
    explicit FileSet(std::string chosenPath);

    // The path as chosen, which may differ from settings() in its last three characters.
    const std::string& chosen() const { return m_chosen; }
    // The chosen path less its last three characters ("" for a shorter path).
    const std::string& base() const { return m_base; }
    const std::string& path(FileKind kind) const { return m_paths[static_cast<std::size_t>(kind)]; }

    const std::string& settings() const { return path(FileKind::Settings); }
    const std::string& projects() const { return path(FileKind::Projects); }
    const std::string& timeFrames() const { return path(FileKind::TimeFrames); }
    const std::string& customers() const { return path(FileKind::Customers); }
    const std::string& historyFilter() const { return path(FileKind::HistoryFilter); }
    const std::string& temporary() const { return path(FileKind::Temporary); }
    // The file whose advisory lock every writer of the set holds. It is never renamed over,
    // so the lock stays on the file that others open.
    const std::string& lock() const { return path(FileKind::Lock); }
    const std::string& runLock() const { return path(FileKind::RunLock); }
    const std::string& journal() const { return path(FileKind::Journal); }
    const std::string& invoiceRegister() const { return path(FileKind::Register); }
    const std::string& billing() const { return path(FileKind::Billing); }
    const std::string& customerBilling() const { return path(FileKind::CustomerBilling); }
    const std::string& invoiceTexts() const { return path(FileKind::InvoiceTexts); }

private:
    std::string m_chosen;
    std::string m_base;
    std::array<std::string, kFileKindCount> m_paths;
};

}  // namespace ql
