#include "core/store/Projects.h"

#include "core/store/FileSet.h"
#include "core/store/RecordFile.h"
#include "core/store/TimeFrames.h"

#include <algorithm>
#include <limits>

#include <unordered_set>

namespace ql {
namespace {

constexpr std::int32_t kDenseLimit = 1 << 20;

}  // namespace

Message projectFileMessage(const std::string& projectsPath) {
    return Message(MessageId::CannotOpenProjectFile, {projectsPath});
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

namespace {

// The new content of the projects file: each record written over the file's own bytes for
// its id (the first unused record with that id, so repeated ids of a hand-edited file pair up
// in order), or fresh when the file has none.
Result<std::vector<unsigned char>> encodeOverCurrent(const std::vector<ProjectRecord>& records,
                                                     const std::vector<unsigned char>& current) {
    for (const auto& r : records)
        if (Status st = checkProjectTexts(r); !st) return st;
    std::unordered_map<std::int32_t, std::vector<std::size_t>> originals;  // id -> offsets, last first
    for (std::size_t at = current.size(); at >= ProjectRecord::kSize; at -= ProjectRecord::kSize)
        originals[decodeProjectId(current.data() + at - ProjectRecord::kSize)].push_back(at - ProjectRecord::kSize);
    std::vector<unsigned char> bytes;
    bytes.reserve(records.size() * ProjectRecord::kSize);
    for (const auto& r : records) {
        auto it = originals.find(r.id);
        ProjectBytes b;
        if (it != originals.end() && !it->second.empty()) {
            b = encodeProject(r, current.data() + it->second.back());
            it->second.pop_back();
        } else {
            b = encodeProject(r);
        }
        bytes.insert(bytes.end(), b.begin(), b.end());
    }
    return bytes;
}

}  // namespace

Status writeProjects(FileSystem& fs, const std::string& projectsPath, const std::vector<ProjectRecord>& records) {
    return changeRecords(
        fs, projectsPath, ProjectRecord::kSize,
        [&](const RecordFileContent& current) { return encodeOverCurrent(records, current.records); },
        projectFileMessage(projectsPath));
}

Message projectsChangedMessage(const std::string& projectsPath) {
    return Message(MessageId::ProjectsChanged, {projectsPath});
}

Status writeProjects(FileSystem& fs, const std::string& projectsPath, const std::vector<ProjectRecord>& records,
                     const RecordFileVersion& loaded) {
    return changeRecords(
        fs, projectsPath, ProjectRecord::kSize,
        [&](const RecordFileContent& current) -> Result<std::vector<unsigned char>> {
            if (!(current.version == loaded)) return Status::invalidArgument(projectsChangedMessage(projectsPath));
            return encodeOverCurrent(records, current.records);
        },
        projectFileMessage(projectsPath));
}

Result<ProjectsSnapshot> loadProjectsSnapshot(FileSystem& fs, const std::string& projectsPath) {
    const Message message = projectFileMessage(projectsPath);
    auto content = readRecordFile(fs, projectsPath, ProjectRecord::kSize, message);
    if (!content) return content.status();
    if (!content->version.exists) return Status::ioError(message).withReason("No such file or directory");
    ProjectsSnapshot snapshot;
    snapshot.version = content->version;
    snapshot.records.reserve(content->records.size() / ProjectRecord::kSize);
    for (std::size_t at = 0; at < content->records.size(); at += ProjectRecord::kSize)
        snapshot.records.push_back(decodeProject(content->records.data() + at));
    return snapshot;
}

std::int32_t highestProjectIdInUse(const std::vector<ProjectRecord>& projects, std::int32_t highestInFrames,
                                   const std::vector<std::int32_t>& idsInUse) {
    std::int32_t highest = highestInFrames;
    for (const auto& p : projects) highest = std::max(highest, p.id);
    for (const std::int32_t id : idsInUse) highest = std::max(highest, id);
    return std::max(highest, -1);
}

Result<std::int32_t> addProject(FileSystem& fs, const FileSet& set, ProjectRecord project, const AddProjectCheck& check) {
    const std::string& projectsPath = set.projects();
    if (Status st = checkProjectTexts(project); !st) return st;
    auto held = lockFileSet(fs, set, projectFileMessage(projectsPath));
    if (!held) return held.status();
    auto inFrames = highestProjectIdInFrames(fs, set.timeFrames());
    if (!inFrames) return inFrames.status();
    const Status st = changeRecords(
        fs, projectsPath, ProjectRecord::kSize,
        [&](const RecordFileContent& current) -> Result<std::vector<unsigned char>> {
            if (!current.version.exists) return Status::ioError(projectFileMessage(projectsPath));
            std::vector<ProjectRecord> records;
            records.reserve(current.records.size() / ProjectRecord::kSize);
            for (std::size_t at = 0; at < current.records.size(); at += ProjectRecord::kSize)
                records.push_back(decodeProject(current.records.data() + at));
            const std::int32_t highest = highestProjectIdInUse(records, *inFrames, {});
            if (highest == std::numeric_limits<std::int32_t>::max())
                return Status::ioError(Message(MessageId::NoProjectIdLeft, {projectsPath}));
            const ProjectIndex index(std::move(records));
            if (Status refused = check(index, project); !refused) return refused;
            if (Status unfit = checkProjectTexts(project); !unfit) return unfit;
            project.id = highest + 1;
            // The file is only ever rewritten whole; the records before stay as they were.
            std::vector<unsigned char> bytes = current.records;
            const auto added = encodeProject(project);
            bytes.insert(bytes.end(), added.begin(), added.end());
            return bytes;
        },
        projectFileMessage(projectsPath));
    if (!st) return st;
    return project.id;
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

std::string deletedProjectName(std::int32_t projectId) {
    return "(deleted project " + std::to_string(projectId) + ")";
}

}  // namespace ql
