#include "core/store/BillingDetails.h"

#include "core/store/ByteStream.h"
#include "core/store/Checksum.h"
#include "core/store/BillingFields.h"
#include "core/store/Customers.h"
#include "core/store/FieldCodec.h"
#include "core/store/RecordFile.h"

#include <array>
#include <cstring>
#include <limits>

namespace ql {
namespace {

constexpr std::uint32_t kVersion = 1;
constexpr std::size_t kHeaderSize = 12;
constexpr std::size_t kChecksumSize = 4;
constexpr std::array<BillingField, 10> kSellerFields = {
    BillingField::CountryCode,  BillingField::VatId,       BillingField::TaxNumber,    BillingField::Registration,
    BillingField::Iban,         BillingField::Bic,         BillingField::PaymentTerms, BillingField::CurrencyCode,
    BillingField::ExemptionReason, BillingField::ExemptionCode};
constexpr std::array<BillingField, 4> kCustomerFields = {BillingField::CountryCode, BillingField::VatId,
                                                         BillingField::Email, BillingField::BuyerReference};

// The largest seller's file: its header, every field at its width and the checksum.
std::size_t maxBillingSize() {
    std::size_t size = kHeaderSize + kChecksumSize;
    for (BillingField f : kSellerFields) size += 2 + billingFieldWidth(f);
    return size;
}

// A file of the kind of magic: its header (the third word, a count, placed by finish), the
// fields, then the checksum of every byte before it.
ByteWriter startFile(const char* magic) {
    ByteWriter w(std::vector<unsigned char>(magic, magic + 4));
    w.u32(kVersion);
    w.u32(0);
    return w;
}

std::vector<unsigned char> finishFile(ByteWriter& w, std::uint32_t third) {
    w.u32At(8, third);
    w.u32(crc32(w.data().data(), w.position()));
    return w.take();
}

// The fields of a whole, checked file of the kind of magic, after its header; third is the
// header's third word. Nothing when the header, version or checksum does not hold.
std::optional<ByteReader> openFile(const unsigned char* bytes, std::size_t size, const char* magic,
                                   std::uint32_t& third) {
    if (size < kHeaderSize + kChecksumSize || std::memcmp(bytes, magic, 4) != 0) return std::nullopt;
    ByteReader whole(bytes, size - kChecksumSize);
    whole.skip(4);
    if (whole.u32() != kVersion) return std::nullopt;
    third = whole.u32();
    if (codec::loadLittleEndian<std::uint32_t>(bytes + size - kChecksumSize) != crc32(bytes, size - kChecksumSize))
        return std::nullopt;
    return whole;
}

template <typename Details, std::size_t N>
Status checkFields(const Details& details, const std::array<BillingField, N>& kinds) {
    const auto fields = fieldsOf(details);
    for (std::size_t i = 0; i < N; ++i) {
        auto stored = checkBillingField(kinds[i], *fields[i]);
        if (!stored) return stored.status();
        // Only a stored form is kept, so the file never holds what a reader would refuse.
        if (*stored != *fields[i])
            return Status::invalidArgument(std::string(billingFieldName(kinds[i])) + ": '" + *fields[i] +
                                           "' is not in its stored form '" + *stored + "'");
    }
    return Status::ok();
}

Message customerReadMessage(const std::string& path) { return Message(MessageId::CannotReadCustomerBilling, {path}); }
Message customerWriteMessage(const std::string& path) {
    return Message(MessageId::CannotWriteCustomerBilling, {path});
}

Status notWhole(const Message& message) {
    return Status::ioError(message).withReason("torn or damaged: not one whole file of its kind");
}

// The bytes of path, read once and never further than limit + 1 bytes; a link may lead only
// to a file of the same extension.
Result<RecordFileContent> readDetailsFile(FileSystem& fs, const std::string& path, const Message& message,
                                          std::size_t limit) {
    if (Status st = checkLinkedRecordFile(fs, path, 1, message); !st) return st;
    return readRecordFile(fs, path, 1, message, limit);
}

Result<CustomerDetailsMap> customerMapOf(const RecordFileContent& content, const Message& message) {
    if (!content.version.exists) return CustomerDetailsMap{};
    auto map = decodeCustomerDetails(content.records.data(), content.records.size());
    if (!map) return notWhole(message);
    return std::move(*map);
}

Status changeCustomerDetails(FileSystem& fs, const FileSet& set,
                             const std::function<Result<bool>(CustomerDetailsMap&)>& change) {
    const std::string& path = set.customerBilling();
    const Message message = customerWriteMessage(path);
    // A change that changes nothing writes nothing, and makes no file where there was none.
    bool unchanged = false;
    const Status st = changeRecords(
        fs, path, 1,
        [&](const RecordFileContent& current) -> Result<std::vector<unsigned char>> {
            auto map = customerMapOf(current, customerReadMessage(path));
            if (!map) return map.status();
            auto changed = change(*map);
            if (!changed) return changed.status();
            if (!*changed) {
                unchanged = true;
                return Status::ioError(message);
            }
            return encodeCustomerDetails(*map);
        },
        message);
    return unchanged ? Status::ok() : st;
}

}  // namespace

std::array<std::string*, 10> fieldsOf(BillingDetails& d) {
    return {&d.countryCode, &d.vatId, &d.taxNumber, &d.registration, &d.iban, &d.bic, &d.paymentTerms,
            &d.currencyCode, &d.exemptionReason, &d.exemptionCode};
}
std::array<const std::string*, 10> fieldsOf(const BillingDetails& d) {
    return {&d.countryCode, &d.vatId, &d.taxNumber, &d.registration, &d.iban, &d.bic, &d.paymentTerms,
            &d.currencyCode, &d.exemptionReason, &d.exemptionCode};
}
std::array<std::string*, 4> fieldsOf(CustomerDetails& d) { return {&d.countryCode, &d.vatId, &d.email, &d.buyerReference}; }
std::array<const std::string*, 4> fieldsOf(const CustomerDetails& d) {
    return {&d.countryCode, &d.vatId, &d.email, &d.buyerReference};
}

bool BillingDetails::empty() const { return *this == BillingDetails{}; }
bool CustomerDetails::empty() const { return *this == CustomerDetails{}; }

std::vector<unsigned char> encodeBillingDetails(const BillingDetails& details) {
    ByteWriter w = startFile("QLBD");
    for (const std::string* field : fieldsOf(details)) w.text16(*field);
    return finishFile(w, static_cast<std::uint32_t>(w.position() - kHeaderSize));
}

std::optional<BillingDetails> decodeBillingDetails(const unsigned char* bytes, std::size_t size) {
    std::uint32_t length = 0;
    auto r = openFile(bytes, size, "QLBD", length);
    if (!r || length != size - kHeaderSize - kChecksumSize) return std::nullopt;
    BillingDetails details;
    const auto fields = fieldsOf(details);
    for (std::size_t i = 0; i < fields.size(); ++i) *fields[i] = r->text16(billingFieldWidth(kSellerFields[i]));
    if (!r->ok() || !r->atEnd()) return std::nullopt;
    return details;
}

std::vector<unsigned char> encodeCustomerDetails(const CustomerDetailsMap& details) {
    ByteWriter w = startFile("QLBC");
    std::uint32_t count = 0;
    for (const auto& [id, d] : details) {
        if (d.empty()) continue;
        w.i32(id);
        for (const std::string* field : fieldsOf(d)) w.text16(*field);
        ++count;
    }
    return finishFile(w, count);
}

std::optional<CustomerDetailsMap> decodeCustomerDetails(const unsigned char* bytes, std::size_t size) {
    std::uint32_t count = 0;
    auto r = openFile(bytes, size, "QLBC", count);
    if (!r) return std::nullopt;
    CustomerDetailsMap map;
    std::optional<std::int32_t> last;
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::int32_t id = r->i32();
        if (!r->ok() || id < 0 || (last && id <= *last)) return std::nullopt;
        CustomerDetails d;
        const auto fields = fieldsOf(d);
        for (std::size_t k = 0; k < fields.size(); ++k) *fields[k] = r->text16(billingFieldWidth(kCustomerFields[k]));
        if (!r->ok()) return std::nullopt;
        map.emplace(id, std::move(d));
        last = id;
    }
    if (!r->atEnd()) return std::nullopt;
    return map;
}

Status checkBillingDetails(const BillingDetails& details) { return checkFields(details, kSellerFields); }
Status checkCustomerDetails(const CustomerDetails& details) { return checkFields(details, kCustomerFields); }

Message billingReadMessage(const std::string& path) { return Message(MessageId::CannotReadBillingDetails, {path}); }
Message billingWriteMessage(const std::string& path) { return Message(MessageId::CannotWriteBillingDetails, {path}); }

Result<BillingDetails> readBillingDetails(FileSystem& fs, const FileSet& set) {
    const std::string& path = set.billing();
    const Message message = billingReadMessage(path);
    auto content = readDetailsFile(fs, path, message, maxBillingSize() + 1);
    if (!content) return content.status();
    if (!content->version.exists) return BillingDetails{};
    auto details = decodeBillingDetails(content->records.data(), content->records.size());
    if (!details) return notWhole(message);
    return std::move(*details);
}

Status updateBillingDetails(FileSystem& fs, const FileSet& set, const std::function<Status(BillingDetails&)>& change,
                            const BillingDetails* loaded) {
    const std::string& path = set.billing();
    const Message message = billingWriteMessage(path);
    return changeRecords(
        fs, path, 1,
        [&](const RecordFileContent& current) -> Result<std::vector<unsigned char>> {
            BillingDetails details;
            if (current.version.exists) {
                auto decoded = decodeBillingDetails(current.records.data(), current.records.size());
                // Damaged details are the user's to look at, never overwritten unseen.
                if (!decoded) return notWhole(billingReadMessage(path));
                details = std::move(*decoded);
            }
            if (loaded && !(details == *loaded))
                return Status::invalidArgument(Message(MessageId::BillingChanged, {path}));
            if (Status st = change(details); !st) return st;
            if (Status st = checkBillingDetails(details); !st) return st;
            return encodeBillingDetails(details);
        },
        message, maxBillingSize() + 1);
}

Result<CustomerDetailsMap> readCustomerDetails(FileSystem& fs, const FileSet& set) {
    const std::string& path = set.customerBilling();
    const Message message = customerReadMessage(path);
    auto content = readDetailsFile(fs, path, message, std::numeric_limits<std::size_t>::max());
    if (!content) return content.status();
    return customerMapOf(*content, message);
}

Result<CustomerDetails> readCustomerDetails(FileSystem& fs, const FileSet& set, std::int32_t customerId) {
    auto map = readCustomerDetails(fs, set);
    if (!map) return map.status();
    const auto found = map->find(customerId);
    return found == map->end() ? CustomerDetails{} : found->second;
}

Status updateCustomerDetails(FileSystem& fs, const FileSet& set, std::int32_t customerId,
                             const std::function<Status(CustomerDetails&)>& change) {
    return changeCustomerDetails(fs, set, [&](CustomerDetailsMap& map) -> Result<bool> {
        const auto found = map.find(customerId);
        CustomerDetails details = found == map.end() ? CustomerDetails{} : found->second;
        const CustomerDetails before = details;
        if (Status st = change(details); !st) return st;
        if (Status st = checkCustomerDetails(details); !st) return st;
        if (details == before) return false;  // nothing to store, and no file made for it
        if (details.empty()) map.erase(customerId);
        else map[customerId] = details;
        return true;
    });
}

Status writeCustomerDetails(FileSystem& fs, const FileSet& set, std::int32_t customerId,
                            const CustomerDetails& details) {
    if (Status st = checkCustomerDetails(details); !st) return st;
    return updateCustomerDetails(fs, set, customerId, [&](CustomerDetails& d) {
        d = details;
        return Status::ok();
    });
}

Status removeCustomerDetails(FileSystem& fs, const FileSet& set, const std::vector<std::int32_t>& ids) {
    return changeCustomerDetails(fs, set, [&](CustomerDetailsMap& map) -> Result<bool> {
        bool removed = false;
        for (std::int32_t id : ids) removed = map.erase(id) > 0 || removed;
        return removed;
    });
}

Result<std::int32_t> addCustomerWithDetails(FileSystem& fs, CustomerRecord record, const CustomerDetails& details,
                                            const FileSet& set) {
    if (Status st = checkCustomerDetails(details); !st) return st;
    if (Status st = checkCustomerTexts(record); !st) return st;
    auto held = lockFileSet(fs, set, customersAppendMessage(set.customers()));
    if (!held) return held.status();
    if (details.empty() && !fs.exists(set.customerBilling())) return addCustomer(fs, std::move(record), set);
    auto id = nextCustomerId(fs, set);
    if (!id) return id.status();
    if (Status st = writeCustomerDetails(fs, set, *id, details); !st) return st;
    return addCustomer(fs, std::move(record), set);
}

Status removeCustomersWithDetails(FileSystem& fs, const std::vector<std::int32_t>& ids, const FileSet& set) {
    auto held = lockFileSet(fs, set, customersAppendMessage(set.customers()));
    if (!held) return held.status();
    if (Status st = removeCustomers(fs, ids, set.customers()); !st) return st;
    return removeCustomerDetails(fs, set, ids);
}

}  // namespace ql
