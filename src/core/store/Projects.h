#pragma once

#include "core/Status.h"
#include "core/store/FileSystem.h"
#include "core/store/ProjectRecord.h"

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace ql {

// "Cannot open project file : " + path, the message of every projects-file failure.
std::string projectFileMessage(const std::string& projectsPath);

// Every record of the projects file at projectsPath, in file order.
Result<std::vector<ProjectRecord>> loadProjects(FileSystem& fs, const std::string& projectsPath);

// Replaces the projects file with records, in order, crash-safely.
Status writeProjects(FileSystem& fs, const std::string& projectsPath, const std::vector<ProjectRecord>& records);

// The first record with id; nullopt when none has it.
Result<std::optional<ProjectRecord>> findProjectById(FileSystem& fs, const std::string& projectsPath, std::int32_t id);

// The id of the last record whose name equals name byte for byte; -1 when none does.
Result<std::int32_t> findProjectIdByName(FileSystem& fs, const std::string& projectsPath, const std::string& name);

// The project's name joined with its ancestors' by " - ": top-level first when rootFirst,
// else the project first. The chain ends at a missing id or a cycle; "" for a missing project.
Result<std::string> projectFullName(FileSystem& fs, const std::string& projectsPath, std::int32_t id, bool rootFirst);

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

}  // namespace ql
