#pragma once

#include <string>

namespace ql {

// The User field of the export: profileName when it is not empty, else the account's full
// name (the passwd entry's name field up to its first comma) when that is not empty, else the
// login name.
std::string exportUserName(const std::string& profileName);
// The same for the account uid as the password file at passwdPath holds it; an account the file
// does not hold takes $USER as its login.
std::string exportUserName(const std::string& profileName, unsigned uid, const char* passwdPath);

// The same choice from given values; gecos is the whole passwd name field.
std::string chooseUserName(const std::string& profileName, const std::string& gecos, const std::string& login);

}  // namespace ql
