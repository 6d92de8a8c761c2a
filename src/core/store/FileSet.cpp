#include "core/store/FileSet.h"

namespace ql {

const char* fileExtension(FileKind kind) {
    switch (kind) {
    case FileKind::Settings: return "qlr";
    case FileKind::Projects: return "prj";
    case FileKind::TimeFrames: return "tfr";
    case FileKind::Customers: return "cus";
    case FileKind::HistoryFilter: return "his";
    case FileKind::Temporary: return "tmp";
    }
    return "tmp";
}

std::string basePath(const std::string& chosenPath) {
    return chosenPath.size() < 3 ? std::string() : chosenPath.substr(0, chosenPath.size() - 3);
}

std::string fileSetPath(const std::string& anyPathOfTheSet, FileKind kind) {
    return basePath(anyPathOfTheSet) + fileExtension(kind);
}

std::string lockFilePath(const std::string& anyPathOfTheSet) {
    return basePath(anyPathOfTheSet) + "lck";
}

}  // namespace ql
