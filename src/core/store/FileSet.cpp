#include "core/store/FileSet.h"

#include <utility>

namespace ql {

const char* fileExtension(FileKind kind) {
    switch (kind) {
    case FileKind::Settings: return "qlr";
    case FileKind::Projects: return "prj";
    case FileKind::TimeFrames: return "tfr";
    case FileKind::Customers: return "cus";
    case FileKind::HistoryFilter: return "his";
    case FileKind::Temporary: return "tmp";
    case FileKind::Lock: return "lck";
    case FileKind::RunLock: return "rul";
    case FileKind::Journal: return "run";
    case FileKind::Register: return "ivr";
    case FileKind::Billing: return "bil";
    case FileKind::CustomerBilling: return "bcu";
    case FileKind::InvoiceTexts: return "ivt";
    }
    return "tmp";
}

namespace {

std::string basePath(const std::string& chosenPath) {
    return chosenPath.size() < 3 ? std::string() : chosenPath.substr(0, chosenPath.size() - 3);
}

}  // namespace

std::string fileSetPath(const std::string& anyPathOfTheSet, FileKind kind) {
    return basePath(anyPathOfTheSet) + fileExtension(kind);
}

FileSet::FileSet(std::string chosenPath) : m_chosen(std::move(chosenPath)), m_base(basePath(m_chosen)) {
    for (std::size_t i = 0; i < kFileKindCount; ++i) m_paths[i] = m_base + fileExtension(static_cast<FileKind>(i));
}

}  // namespace ql
