#pragma once

#include "core/Status.h"
#include "core/store/FileSet.h"
#include "core/store/FileSystem.h"
#include "core/store/ProjectRecord.h"
#include "core/store/RecordFile.h"

#include <functional>

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace ql {

// "Cannot open project file : " + path, the message of every projects-file failure.
Message projectFileMessage(const std::string& projectsPath);

// Every record of the projects file at projectsPath, in file order.
Result<std::vector<ProjectRecord>> loadProjects(FileSystem& fs, const std::string& projectsPath);

// Replaces the projects file with records, in order, crash-safely. A record the file
// already holds (same id, same fields) is written back byte for byte; a text that its field
// cannot hold whole is refused (InvalidArgument) before anything is written.
Status writeProjects(FileSystem& fs, const std::string& projectsPath, const std::vector<ProjectRecord>& records);

// What a dialog loads before it rewrites the whole file from it.
struct ProjectsSnapshot {
    std::vector<ProjectRecord> records;
    RecordFileVersion version;
};
// loadProjects with the version of what was read; fails as loadProjects does.
Result<ProjectsSnapshot> loadProjectsSnapshot(FileSystem& fs, const std::string& projectsPath);

// The refusal when the projects file changed since a dialog loaded it.
Message projectsChangedMessage(const std::string& projectsPath);

// writeProjects, refused (InvalidArgument, projectsChangedMessage) when the file is no longer
// what `loaded` describes: someone else changed it, and writing would undo that change.
Status writeProjects(FileSystem& fs, const std::string& projectsPath, const std::vector<ProjectRecord>& records,
                     const RecordFileVersion& loaded);

// The highest id a new project may follow: the greatest id of projects and of every
// project that a time frame of the set still refers to (so deleted projects' frames never
// pass to a new one), and of idsInUse (the running projects); -1 when there is none.
std::int32_t highestProjectIdInUse(const std::vector<ProjectRecord>& projects, std::int32_t highestInFrames,
                                   const std::vector<std::int32_t>& idsInUse);

// The name every view gives a time frame whose project is no longer in the file, so that it
// never passes for another project: "(deleted project 17)".
std::string deletedProjectName(std::int32_t projectId);

// The projects file loaded once, looked up by id in constant time. For operations that
// resolve many time frames.
class ProjectIndex {
public:
    ProjectIndex() = default;
    explicit ProjectIndex(std::vector<ProjectRecord> records);
    static Result<ProjectIndex> load(FileSystem& fs, const std::string& projectsPath);

    // The first record with id, or nullptr.
    const ProjectRecord* find(std::int32_t id) const;
    // Its name, or "" when there is no such project.
    const std::string& name(std::int32_t id) const;
    // Its charges per hour, or 0.0 when there is no such project.
    double chargesPerHour(std::int32_t id) const;
    // As projectFullName, from memory.
    std::string fullName(std::int32_t id, bool rootFirst) const;
    // The id of the last record named name exactly; -1 when none.
    std::int32_t idByName(const std::string& name) const;

    const std::vector<ProjectRecord>& records() const { return m_records; }

private:
    std::vector<ProjectRecord> m_records;
    // Ids are small and dense in practice: a direct table, with a map for the rest.
    std::vector<std::int32_t> m_dense;  // id -> position + 1, 0 for none
    std::unordered_map<std::int32_t, std::size_t> m_sparse;
};

// Adds project at the end of the projects file of set, under the set's
// lock, with an id above every id in use (highestProjectIdInUse, running projects aside);
// check sees the projects as they are and may complete the record (its parent) or refuse
// it (an unknown parent, say). Returns the id.
using AddProjectCheck = std::function<Status(const ProjectIndex& projects, ProjectRecord& project)>;
Result<std::int32_t> addProject(FileSystem& fs, const FileSet& set, ProjectRecord project, const AddProjectCheck& check);

// The first record with id; nullopt when none has it.
Result<std::optional<ProjectRecord>> findProjectById(FileSystem& fs, const std::string& projectsPath, std::int32_t id);

// The id of the last record whose name equals name byte for byte; -1 when none does.
Result<std::int32_t> findProjectIdByName(FileSystem& fs, const std::string& projectsPath, const std::string& name);

// The project's name joined with its ancestors' by " - ": top-level first when rootFirst,
// else the project first. The chain ends at a missing id or a cycle; "" for a missing project.
Result<std::string> projectFullName(FileSystem& fs, const std::string& projectsPath, std::int32_t id, bool rootFirst);

}  // namespace ql
