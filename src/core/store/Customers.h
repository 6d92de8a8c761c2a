#pragma once

#include "core/Status.h"
#include "core/store/CustomerRecord.h"
#include "core/store/FileSet.h"
#include "core/store/FileSystem.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace ql {

// Lookups and the next id fail with "Cannot open Customers file : " + path; appends and
// updates with "Cannot open CUSTOMERS file : " + path (the two texts differ on purpose).
Message customersFileMessage(const std::string& customersPath);
Message customersAppendMessage(const std::string& customersPath);

// One more than the highest customer id in the "cus" file of set and than every customer id
// a project of the set still refers to (a removed customer's projects must not pass to a
// new customer); 0 when there is none. IoError when no 32-bit id is left.
Result<std::int32_t> nextCustomerId(FileSystem& fs, const FileSet& set);

// Appends record to the "cus" file of set (which must exist). A text that its field cannot
// hold whole is refused (InvalidArgument).
Status appendCustomer(FileSystem& fs, const CustomerRecord& record, const FileSet& set);

// nextCustomerId and appendCustomer in one operation under the set's lock, so two writers
// never give out one id twice. Returns the id record was stored with.
Result<std::int32_t> addCustomer(FileSystem& fs, CustomerRecord record, const FileSet& set);

// Removes every customer with id from the customers file at customersPath.
Status removeCustomer(FileSystem& fs, std::int32_t id, const std::string& customersPath);

// Removes every customer whose id is among ids from the customers file at customersPath, in
// one crash-safe rewrite (all of them or, on failure, none).
Status removeCustomers(FileSystem& fs, const std::vector<std::int32_t>& ids, const std::string& customersPath);

// Replaces the customer with record.id by record, moved to the end, in one crash-safe rewrite.
// Fields the edit left alone keep the bytes the file held; a text that its field cannot hold
// whole is refused (InvalidArgument).
Status updateCustomer(FileSystem& fs, const CustomerRecord& record, const std::string& customersPath);

// The first customer with id; nullopt when none has it.
Result<std::optional<CustomerRecord>> findCustomerById(FileSystem& fs, const std::string& customersPath,
                                                       std::int32_t id);

// Every customer of the file at customersPath, in file order.
Result<std::vector<CustomerRecord>> loadCustomers(FileSystem& fs, const std::string& customersPath);

}  // namespace ql
