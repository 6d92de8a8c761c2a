#pragma once

#include "core/Status.h"
#include "core/store/CustomerRecord.h"
#include "core/store/FileSet.h"
#include "core/store/FileSystem.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

// The billing details of a file set, in two files of its own beside the record files; a set
// without them has no details, and no record layout changes for them.
//
// The seller's details, base path + "bil" (little-endian):
//   offset  size  field
//        0     4  magic "QLBD"
//        4     4  uint32  version, 1
//        8     4  uint32  n, the length of the fields that follow
//       12     n  10 texts, each a uint16 length and that many UTF-8 bytes, in this order:
//                 country code, VAT number, tax number, registration number, IBAN, BIC,
//                 payment terms (decimal days, empty for none), currency code,
//                 exemption reason, exemption code
//   12 + n     4  uint32  CRC-32 of every byte before it
//
// The customers' details, base path + "bcu" (little-endian):
//        0     4  magic "QLBC"
//        4     4  uint32  version, 1
//        8     4  uint32  count of customers, ascending ids, each once
//       12     …  per customer: int32 customer id, then 4 texts as above: country code,
//                 VAT number, e-mail, buyer reference
//        …     4  uint32  CRC-32 of every byte before it
//
// A file is taken only when it is exactly one whole file of its kind: anything torn,
// padded, of another version or with a wrong checksum is reported, never read as empty.
namespace ql {

struct BillingDetails {
    std::string countryCode;
    std::string vatId;
    std::string taxNumber;
    std::string registration;
    std::string iban;
    std::string bic;
    std::string paymentTerms;  // days as decimal digits; empty for none
    std::string currencyCode;
    std::string exemptionReason;
    std::string exemptionCode;

    bool empty() const;
    bool operator==(const BillingDetails&) const = default;
};

struct CustomerDetails {
    std::string countryCode;
    std::string vatId;
    std::string email;
    std::string buyerReference;

    bool empty() const;
    bool operator==(const CustomerDetails&) const = default;
};

using CustomerDetailsMap = std::map<std::int32_t, CustomerDetails>;

// The fields of each, in the order both files and the invoice register keep them.
std::array<std::string*, 10> fieldsOf(BillingDetails& d);
std::array<const std::string*, 10> fieldsOf(const BillingDetails& d);
std::array<std::string*, 4> fieldsOf(CustomerDetails& d);
std::array<const std::string*, 4> fieldsOf(const CustomerDetails& d);

// The bytes of the layouts above.
std::vector<unsigned char> encodeBillingDetails(const BillingDetails& details);
std::vector<unsigned char> encodeCustomerDetails(const CustomerDetailsMap& details);
// What the bytes hold; nullopt for anything that is not exactly one whole file of the kind.
std::optional<BillingDetails> decodeBillingDetails(const unsigned char* bytes, std::size_t size);
std::optional<CustomerDetailsMap> decodeCustomerDetails(const unsigned char* bytes, std::size_t size);

// Refuses (InvalidArgument, naming the field) details that checkBillingField would not store
// as they are; ok for details as it stores them.
Status checkBillingDetails(const BillingDetails& details);
Status checkCustomerDetails(const CustomerDetails& details);

// "Cannot read billing details file : " + path and "Cannot write billing details file : " + path.
Message billingReadMessage(const std::string& path);
Message billingWriteMessage(const std::string& path);

// The seller's details of set, read once and no further than the largest such file: empty
// details when there is no file; a failure (billingReadMessage with a reason) when it
// cannot be read, is no whole file, is a FIFO, or is a link to anything but a ".bil" file.
Result<BillingDetails> readBillingDetails(FileSystem& fs, const FileSet& set);

// Under the set's lock: reads the details, lets change edit them, checks them and rewrites
// the file crash-safely (temporary file, sync, rename). Fails writing nothing when the file
// cannot be read (as readBillingDetails), when change or the check refuses, or when loaded is
// given and the file no longer holds it (changed by another program since).
Status updateBillingDetails(FileSystem& fs, const FileSet& set,
                            const std::function<Status(BillingDetails&)>& change,
                            const BillingDetails* loaded = nullptr);

// The customers' details of set, read once: an empty map when there is no file; failures as
// readBillingDetails says, for a ".bcu" file.
Result<CustomerDetailsMap> readCustomerDetails(FileSystem& fs, const FileSet& set);
// The details of one customer; empty details when it has none.
Result<CustomerDetails> readCustomerDetails(FileSystem& fs, const FileSet& set, std::int32_t customerId);

// Under the set's lock, one read and one crash-safe rewrite: lets change edit the details of
// customerId (empty when it has none), checks them and stores them (their entry removed when
// they are empty). Refused, writing nothing, as updateBillingDetails; nothing is written when
// they stay as they were.
Status updateCustomerDetails(FileSystem& fs, const FileSet& set, std::int32_t customerId,
                             const std::function<Status(CustomerDetails&)>& change);

// updateCustomerDetails that stores details for customerId (removes its
// entry when they are empty). Refused, writing nothing, as updateBillingDetails.
Status writeCustomerDetails(FileSystem& fs, const FileSet& set, std::int32_t customerId,
                            const CustomerDetails& details);

// Under the set's lock, one crash-safe rewrite that drops the details of every id in ids;
// nothing is written when none of them has details (or there is no file).
Status removeCustomerDetails(FileSystem& fs, const FileSet& set, const std::vector<std::int32_t>& ids);

// addCustomer with the new customer's billing details, under one hold of the set's lock. The
// details are stored first, under the id the customer is about to take, so a details file that
// cannot be read or written refuses the whole addition; details a removed customer of that id
// left behind are replaced. A set without a customer details file gains none for empty details.
Result<std::int32_t> addCustomerWithDetails(FileSystem& fs, CustomerRecord record, const CustomerDetails& details,
                                            const FileSet& set);

// removeCustomers and removeCustomerDetails under one hold of the set's lock: the records
// first, so a failure never leaves a customer without the details it had.
Status removeCustomersWithDetails(FileSystem& fs, const std::vector<std::int32_t>& ids, const FileSet& set);

}  // namespace ql
