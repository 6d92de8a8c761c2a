#include "core/store/Projects.h"

#include "core/store/RecordFile.h"

#include <unordered_set>

namespace ql {
namespace {

constexpr std::int32_t kDenseLimit = 1 << 20;

}  // namespace

std::string projectFileMessage(const std::string& projectsPath) {
    return "Cannot open project file : " + projectsPath;
}

Result<std::vector<ProjectRecord>> loadProjects(FileSystem& fs, const std::string& projectsPath) {
    std::vector<ProjectRecord> records;
    const Status st = scanRecords(fs, projectsPath, ProjectRecord::kSize, projectFileMessage(projectsPath),
                                  [&](const unsigned char* bytes, std::size_t count) {
                                      for (std::size_t i = 0; i < count; ++i)
                                          records.push_back(decodeProject(bytes + i * ProjectRecord::kSize));
                                  });
    if (!st) return st;
    return records;
}

Status writeProjects(FileSystem& fs, const std::string& projectsPath, const std::vector<ProjectRecord>& records) {
    std::vector<unsigned char> bytes;
    bytes.reserve(records.size() * ProjectRecord::kSize);
    for (const auto& r : records) {
        const auto b = encodeProject(r);
        bytes.insert(bytes.end(), b.begin(), b.end());
    }
    return rewriteRecords(fs, projectsPath, bytes.data(), bytes.size(), projectFileMessage(projectsPath));
}

Result<std::optional<ProjectRecord>> findProjectById(FileSystem& fs, const std::string& projectsPath, std::int32_t id) {
    auto index = ProjectIndex::load(fs, projectsPath);
    if (!index) return index.status();
    const ProjectRecord* r = index->find(id);
    return r ? std::optional<ProjectRecord>(*r) : std::nullopt;
}

Result<std::int32_t> findProjectIdByName(FileSystem& fs, const std::string& projectsPath, const std::string& name) {
    auto index = ProjectIndex::load(fs, projectsPath);
    if (!index) return index.status();
    return index->idByName(name);
}

Result<std::string> projectFullName(FileSystem& fs, const std::string& projectsPath, std::int32_t id, bool rootFirst) {
    auto index = ProjectIndex::load(fs, projectsPath);
    if (!index) return index.status();
    return index->fullName(id, rootFirst);
}

ProjectIndex::ProjectIndex(std::vector<ProjectRecord> records) : m_records(std::move(records)) {
    std::int32_t maxDense = -1;
    for (const auto& r : m_records)
        if (r.id >= 0 && r.id < kDenseLimit && r.id > maxDense) maxDense = r.id;
    m_dense.assign(static_cast<std::size_t>(maxDense + 1), 0);
    for (std::size_t i = 0; i < m_records.size(); ++i) {
        const std::int32_t id = m_records[i].id;
        if (id >= 0 && id < kDenseLimit) {
            auto& slot = m_dense[static_cast<std::size_t>(id)];
            if (slot == 0) slot = static_cast<std::int32_t>(i + 1);  // the first record with an id wins
        } else {
            m_sparse.emplace(id, i);
        }
    }
}

Result<ProjectIndex> ProjectIndex::load(FileSystem& fs, const std::string& projectsPath) {
    auto records = loadProjects(fs, projectsPath);
    if (!records) return records.status();
    return ProjectIndex(std::move(records).value());
}

const ProjectRecord* ProjectIndex::find(std::int32_t id) const {
    if (id >= 0 && static_cast<std::size_t>(id) < m_dense.size()) {
        const std::int32_t slot = m_dense[static_cast<std::size_t>(id)];
        return slot ? &m_records[static_cast<std::size_t>(slot - 1)] : nullptr;
    }
    const auto it = m_sparse.find(id);
    return it == m_sparse.end() ? nullptr : &m_records[it->second];
}

const std::string& ProjectIndex::name(std::int32_t id) const {
    static const std::string kNone;
    const ProjectRecord* r = find(id);
    return r ? r->name : kNone;
}

double ProjectIndex::chargesPerHour(std::int32_t id) const {
    const ProjectRecord* r = find(id);
    return r ? r->chargesPerHour : 0.0;
}

std::string ProjectIndex::fullName(std::int32_t id, bool rootFirst) const {
    std::vector<const std::string*> names;  // the project first, its top-level ancestor last
    std::unordered_set<std::int32_t> seen;
    for (const ProjectRecord* r = find(id); r && seen.insert(r->id).second; r = r->parentId == -1 ? nullptr : find(r->parentId))
        names.push_back(&r->name);
    std::string joined;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i > 0) joined += " - ";
        joined += *names[rootFirst ? names.size() - 1 - i : i];
    }
    return joined;
}

std::int32_t ProjectIndex::idByName(const std::string& name) const {
    std::int32_t id = -1;
    for (const auto& r : m_records)
        if (r.name == name) id = r.id;
    return id;
}

}  // namespace ql
