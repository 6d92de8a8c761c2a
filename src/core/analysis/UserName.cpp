#include "core/analysis/UserName.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

namespace ql {

std::string chooseUserName(const std::string& profileName, const std::string& gecos, const std::string& login) {
    if (!profileName.empty()) return profileName;
    // The name field may carry office and telephone after commas.
    const std::string fullName = gecos.substr(0, gecos.find(','));
    return fullName.empty() ? login : fullName;
}

std::string exportUserName(const std::string& profileName) {
    if (!profileName.empty()) return profileName;
    std::string gecos;
    std::string login;
    passwd entry{};
    passwd* found = nullptr;
    std::vector<char> buffer(16384);
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found) {
        if (found->pw_gecos) gecos = found->pw_gecos;
        if (found->pw_name) login = found->pw_name;
    }
    if (login.empty())
        if (const char* user = std::getenv("USER")) login = user;
    return chooseUserName(profileName, gecos, login);
}

}  // namespace ql
