#include "core/analysis/UserName.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

namespace ql {

std::string chooseUserName(const std::string& profileName, const std::string& gecos, const std::string& login) {
    if (!profileName.empty()) return profileName;
    // The name field may carry office and telephone after commas.
    const std::string fullName = gecos.substr(0, gecos.find(','));
    return fullName.empty() ? login : fullName;
}

std::string exportUserName(const std::string& profileName, unsigned uid, const char* passwdPath) {
    if (!profileName.empty()) return profileName;
    std::string gecos;
    std::string login;
    // The password file is read itself rather than through the name service switch:
    // quillory-cli is one static program, which must not load the system's name service
    // modules, and both programs name the user alike.
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(passwdPath, "re"), &std::fclose);
    if (file) {
        passwd entry{};
        passwd* found = nullptr;
        std::vector<char> buffer(16384);
        while (fgetpwent_r(file.get(), &entry, buffer.data(), buffer.size(), &found) == 0 && found) {
            if (found->pw_uid != uid) continue;
            if (found->pw_gecos) gecos = found->pw_gecos;
            if (found->pw_name) login = found->pw_name;
            break;
        }
    }
    // An account the file does not hold (one from a directory service) is named by its login.
    if (login.empty())
        if (const char* user = std::getenv("USER")) login = user;
    return chooseUserName(profileName, gecos, login);
}

std::string exportUserName(const std::string& profileName) {
    return exportUserName(profileName, ::getuid(), "/etc/passwd");
}

}  // namespace ql
