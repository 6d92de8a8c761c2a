// Writes the bytes of the journal and the billing files for a fixed table of states to the
// standard output, each decoded and encoded again too, so that two builds can be compared
// with cmp. Build it against each build's quillory_core.
#include "core/store/BillingDetails.h"
#include "core/store/Checksum.h"
#include "core/tracking/RunningJournal.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

void put(const std::vector<unsigned char>& bytes) {
    const unsigned size = static_cast<unsigned>(bytes.size());
    std::fwrite(&size, sizeof size, 1, stdout);
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
}

// Replaces the last four bytes with the checksum of the others.
void reseal(std::vector<unsigned char>& bytes) {
    const std::uint32_t crc = ql::crc32(bytes.data(), bytes.size() - 4);
    for (std::size_t i = 0; i < 4; ++i) bytes[bytes.size() - 4 + i] = static_cast<unsigned char>(crc >> (8 * i));
}

void putAgain(const std::vector<unsigned char>& bytes) {
    auto journal = ql::decodeJournal(bytes.data(), bytes.size());
    put(journal ? ql::encodeJournal(*journal) : std::vector<unsigned char>{'-'});
}

}  // namespace

int main() {
    using namespace ql;
    for (int count = 0; count <= 6; ++count) {
        for (int variant = 0; variant < 4; ++variant) {
            JournalState s;
            s.heartbeat = 850000000 + count * 977 + variant;
            s.paused = variant % 2 == 1;
            s.pauseReference = variant >= 2 ? -7 : 850000000;
            s.awaySince = variant == 3 ? 849999000 : 0;
            for (int i = 0; i < count; ++i) s.entries.push_back({i * 3 - 1, 849000000 + i * 60, 848000000 + i * 61});
            const std::vector<unsigned char> bytes = encodeJournal(s);
            put(bytes);
            putAgain(bytes);
            // The same state in the two earlier layouts: version 2 without the absence,
            // version 1 also without the check-in times.
            std::vector<unsigned char> v2(bytes.begin(), bytes.end() - 8);
            v2[4] = 2;
            v2.insert(v2.end(), {0, 0, 0, 0});
            reseal(v2);
            putAgain(v2);
            std::vector<unsigned char> v1(v2.begin(), v2.begin() + 24);
            v1[4] = 1;
            for (std::size_t i = 0; i < s.entries.size(); ++i)
                v1.insert(v1.end(), bytes.begin() + 24 + 12 * i, bytes.begin() + 32 + 12 * i);
            v1.insert(v1.end(), {0, 0, 0, 0});
            reseal(v1);
            putAgain(v1);
        }
    }
    BillingDetails seller;
    put(encodeBillingDetails(seller));
    seller.countryCode = "DE";
    seller.vatId = "DE123456789";
    seller.iban = "DE89370400440532013000";
    seller.paymentTerms = "14";
    seller.currencyCode = "EUR";
    seller.exemptionReason = "Kleinunternehmer nach § 19 UStG";
    const std::vector<unsigned char> sellerBytes = encodeBillingDetails(seller);
    put(sellerBytes);
    put(encodeBillingDetails(decodeBillingDetails(sellerBytes.data(), sellerBytes.size()).value_or(BillingDetails{})));
    CustomerDetailsMap customers;
    put(encodeCustomerDetails(customers));
    for (int id = 0; id < 200; id += 3) customers[id] = {id % 2 ? "FR" : "DE", "", "a" + std::to_string(id) + "@example.com",
                                                         id % 5 ? "PO-" + std::to_string(id) : ""};
    customers[201] = {};
    const std::vector<unsigned char> customerBytes = encodeCustomerDetails(customers);
    put(customerBytes);
    put(encodeCustomerDetails(
        decodeCustomerDetails(customerBytes.data(), customerBytes.size()).value_or(CustomerDetailsMap{})));
    return 0;
}
