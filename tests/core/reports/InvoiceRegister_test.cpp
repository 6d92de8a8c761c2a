#include "core/reports/InvoiceIssue.h"
#include "core/reports/InvoicePage.h"
#include "core/reports/InvoiceRegister.h"
#include "core/reports/InvoiceText.h"
#include "core/store/Checksum.h"
#include "core/store/Customers.h"
#include "core/store/FieldCodec.h"
#include "core/store/OutputFile.h"
#include "core/tracking/TrackingFixture.h"
#include "support/SpecialFiles.h"

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <memory>
#include <set>
#include <tuple>

namespace ql::testing {
namespace {

using Op = test::FaultyFileSystem::Op;

std::string fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

std::uint32_t le32(const std::string& b, std::size_t at) {
    return codec::loadLittleEndian<std::uint32_t>(reinterpret_cast<const unsigned char*>(b.data()) + at);
}
std::string le32Bytes(std::uint32_t v) {
    std::string b(4, '\0');
    codec::storeLittleEndian(reinterpret_cast<unsigned char*>(b.data()), v);
    return b;
}

// The register as the first layout held it, each entry with its texts inside, made from a
// register of the second layout and its texts file.
std::string firstLayout(const std::string& reg, const std::string& texts) {
    std::string out = reg.substr(0, 4) + le32Bytes(1);
    for (std::size_t at = 8; at < reg.size();) {
        const std::uint32_t n = le32(reg, at);
        const std::string body = reg.substr(at + 4, n);
        std::size_t p = 52 + 12 * std::size_t{le32(body, 48)};
        p += 4 + le32(body, p);                      // the number
        const std::size_t numberEnd = p;
        for (int t = 0; t < 2; ++t) p += 4 + le32(body, p);  // the customer's name, the symbol
        const std::size_t offset = le32(body, p);    // below 4 GiB here
        const std::string first = body.substr(0, numberEnd) + texts.substr(offset, le32(body, p + 8));
        out += le32Bytes(static_cast<std::uint32_t>(first.size())) + first +
               le32Bytes(crc32(reinterpret_cast<const unsigned char*>(first.data()), first.size()));
        at += n + 8;
    }
    return out;
}

// Projects 0 "Design" (45/h) and 1 "Build" (30/h) of customer 7, "Acme Corp"; December frames.
class InvoiceRegisterTest : public TrackingFixture {
protected:
    void SetUp() override {
        TrackingFixture::SetUp();
        ASSERT_TRUE(writeProjects(m_fs, path(FileKind::Projects),
                                  {{0, "Design", 7, 45.0, "", -1}, {1, "Build", 7, 30.0, "", -1}}));
        CustomerRecord acme = acmeCustomer();
        ASSERT_TRUE(appendCustomer(m_fs, acme, m_set));
        ASSERT_TRUE(updateSettings(m_fs, m_set, [](SettingsRecord& s) {
            s.companyName = "Kestrel Works";
            s.applySalesTax = 1;
            s.salesTaxLabel = "VAT";
            s.salesTaxRate = 19.0;
            s.footer = "Thank you.";
            return Status::ok();
        }));
        writeFrames({
            {0, at(1996, 12, 2, 9), at(1996, 12, 2, 10, 35)},
            {1, at(1996, 12, 3, 14), at(1996, 12, 3, 15, 10)},
            {0, at(1996, 12, 20, 8), at(1996, 12, 21, 9, 30)},  // 25:30
            {1, at(1996, 12, 31, 23), at(1997, 1, 1, 1)},       // billed where it starts
        });
    }

    InvoiceRequest request(const std::string& number, int fromDay = 1, int toDay = 31) const {
        return {7, at(1996, 12, fromDay), at(1996, 12, toDay, 23, 59, 59), number};
    }
    // A plan made without reading the register, so that a damaged one is met only by issuing.
    InvoicePlan record(const std::string& number, int fromDay = 1, int toDay = 31, bool rebills = false) {
        auto request = this->request(number, fromDay, toDay);
        // Shown on the invoice as the day it is issued, as the window and the command line do.
        request.issueDate = at(1997, 1, 2, 10);
        auto invoice = LoadInvoice(m_fs, request, m_set);
        EXPECT_TRUE(invoice.isOk());
        auto parties = loadInvoiceParties(m_fs, *invoice);
        EXPECT_TRUE(parties.isOk());
        InvoicePlan plan;
        plan.invoice = *invoice;
        plan.parties = *parties;
        plan.rebills = rebills;
        return plan;
    }
    InvoiceRegister readRegister() {
        auto reg = readInvoiceRegister(m_fs, m_set);
        EXPECT_TRUE(reg.isOk()) << reg.status().messageWithReason();
        return reg ? std::move(reg).value() : InvoiceRegister{};
    }
    // Issues as the command line does: the register read under the lock kept for the issue.
    Status issue(FileSystem& fs, InvoicePlan rec, const std::string& output) {
        auto held = lockFileSet(fs, m_set);
        if (!held) return held.status();
        auto reg = readInvoiceRegister(fs, m_set);
        if (!reg) return reg.status();
        auto settings = readSettings(fs, m_set);
        if (!settings) return settings.status();
        rec.billedBy = std::move(reg).value();
        rec.shownNumber = settings->nextInvoiceNumber;
        const std::string text = invoiceFileText(rec.invoice, rec.parties);
        auto issued = issueInvoice(
            fs, m_set, rec,
            [&] {
                return writeOutputFile(fs, output, Message(MessageId::CannotWriteInvoiceFile, {output}),
                                       [&](File& out) { return out.write(text.data(), text.size()); });
            },
            held->get());
        if (!issued) return issued.status();
        EXPECT_FALSE(issued->moved);  // read under the lock it still holds
        return Status::ok();
    }
    // Issues as the window does: the register read again under a lock of its own, the number
    // it showed expected still stored.
    Status issueAsWindow(FileSystem& fs, InvoicePlan rec, const std::string& shown) {
        rec.shownNumber = shown;
        auto issued = issueInvoice(fs, m_set, rec, {});
        if (!issued) return issued.status();
        return issued->moved ? Status::invalidArgument("moved") : Status::ok();
    }
    std::string nextNumber() { return readSettings(m_fs, m_set)->nextInvoiceNumber; }
    static std::vector<std::vector<std::string>> pageTexts(const Invoice& invoice, const InvoiceParties& parties) {
        std::vector<std::vector<std::string>> pages;
        for (int n = 1; n <= std::max(1, invoice.pageCount()); ++n) {
            std::vector<std::string> texts;
            for (const InvoicePageText& t : invoicePage(invoice, parties, n).texts) texts.push_back(t.text);
            pages.push_back(texts);
        }
        return pages;
    }
};

// Whatever changes after an invoice is issued, its reprint is the same text file and the
// same pages, and the register's bytes stay as they were.
TEST_F(InvoiceRegisterTest, AReprintIsTheInvoiceAsIssuedWhateverChangedSince) {
    const InvoicePlan first = record("9600001");
    const std::string output = m_dir.path("first.txt");
    ASSERT_TRUE(issue(m_fs, first, output));
    const std::string issuedText = fileBytes(output);
    const auto issuedPages = pageTexts(first.invoice, first.parties);
    const std::string registerBytes = fileBytes(m_set.invoiceRegister());
    const InvoiceRegister issuedRegister = readRegister();
    const IssuedInvoice& listed = issuedRegister.invoices()[0];
    EXPECT_EQ(listed.sums, invoiceSums(first.invoice, first.parties.settings));
    EXPECT_EQ(listed.issuedAt, at(1997, 1, 2, 10));
    EXPECT_EQ(listed.frames.size(), 4u);

    const struct {
        const char* name;
        std::function<void()> change;
    } changes[] = {
        {"rates and names",
         [&] {
             ASSERT_TRUE(writeProjects(m_fs, path(FileKind::Projects),
                                       {{0, "Redesign", 7, 99.0, "", -1}, {1, "Build", 7, 31.5, "", -1}}));
         }},
        {"customer",
         [&] {
             CustomerRecord moved = *findCustomerById(m_fs, path(FileKind::Customers), 7).value();
             moved.name = "Acme Holdings";
             moved.city = "Shelbyville";
             ASSERT_TRUE(updateCustomer(m_fs, moved, path(FileKind::Customers)));
         }},
        {"settings",
         [&] {
             ASSERT_TRUE(updateSettings(m_fs, m_set, [](SettingsRecord& s) {
                 s.companyName = "Other Name";
                 s.salesTaxRate = 7.0;
                 s.monetarySymbol = "EUR ";
                 s.dateFormat = 0;
                 s.invoiceText = "RECHNUNG";
                 return Status::ok();
             }));
         }},
        {"a billed frame edited", [&] {
             ASSERT_TRUE(updateTimeFrame(m_fs, path(FileKind::TimeFrames), {0, at(1996, 12, 2, 9), at(1996, 12, 2, 10, 35)},
                                         {0, at(1996, 12, 2, 8), at(1996, 12, 2, 12)}));
         }},
        {"a billed frame removed", [&] {
             ASSERT_TRUE(removeTimeFrame(m_fs, path(FileKind::TimeFrames), {1, at(1996, 12, 3, 14), at(1996, 12, 3, 15, 10)}));
         }},
        {"time zone", [] {
             setenv("TZ", "Europe/Berlin", 1);
             tzset();
         }},
    };
    for (const auto& c : changes) {
        SCOPED_TRACE(c.name);
        c.change();
        const InvoiceRegister reg = readRegister();
        ASSERT_EQ(reg.invoices().size(), 1u);
        auto content = issuedContent(m_fs, reg, 0, m_set);
        ASSERT_TRUE(content.isOk());
        EXPECT_EQ(invoiceFileText(content->invoice, content->parties), issuedText);
        EXPECT_EQ(pageTexts(content->invoice, content->parties), issuedPages);
        EXPECT_EQ(fileBytes(m_set.invoiceRegister()), registerBytes);
    }
}

// Billed time: which frames an invoice bills, overlaps named by number, void ones unbilled.
TEST_F(InvoiceRegisterTest, BilledFramesNameTheirInvoiceAndVoidInvoicesBillNothing) {
    ASSERT_TRUE(issue(m_fs, record("A-1", 1, 10), m_dir.path("a.txt")));  // the two frames of 2 and 3 Dec
    const FrameSignature early{0, at(1996, 12, 2, 9), at(1996, 12, 2, 10, 35)};
    const FrameSignature late{1, at(1996, 12, 31, 23), at(1997, 1, 1, 1)};

    InvoicePlan whole = record("A-2");
    BilledOverlap overlap = billedOverlap(whole.invoice, readRegister());
    EXPECT_EQ(overlap.frames, 2u);
    EXPECT_EQ(overlap.numbers, std::vector<std::string>{"A-1"});
    leaveOutBilled(whole.invoice, readRegister());
    EXPECT_EQ(whole.invoice.lines.size(), 2u);
    ASSERT_TRUE(issue(m_fs, whole, m_dir.path("b.txt")));

    InvoicePlan again = record("A-3", 1, 31, true);
    overlap = billedOverlap(again.invoice, readRegister());
    EXPECT_EQ(overlap.frames, 4u);
    EXPECT_EQ(overlap.numbers, (std::vector<std::string>{"A-1", "A-2"}));
    ASSERT_TRUE(issue(m_fs, again, m_dir.path("c.txt")));
    EXPECT_TRUE(readRegister().invoices()[2].rebills);

    const struct {
        const char* step;
        const char* early;  // nullptr: unbilled
        const char* late;
    } steps[] = {
        {"as issued: the later invoice", "A-3", "A-3"},
        {"A-3 void", "A-1", "A-2"},
        {"A-1 void", nullptr, "A-2"},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.step);
        if (std::string(s.step) == "A-3 void") {
            ASSERT_TRUE(voidInvoice(m_fs, m_set, "A-3"));
        }
        if (std::string(s.step) == "A-1 void") {
            ASSERT_TRUE(voidInvoice(m_fs, m_set, "A-1"));
        }
        const InvoiceRegister reg = readRegister();
        const BilledFrames billed(reg);
        for (const auto& [frame, expected] : {std::pair{early, s.early}, std::pair{late, s.late}}) {
            const std::string* number = billed.invoiceOf(frame);
            EXPECT_EQ(number ? *number : std::string("(unbilled)"), expected ? expected : "(unbilled)");
        }
        EXPECT_EQ(billed.invoiceOf({0, at(1996, 12, 2, 9), at(1996, 12, 2, 10, 36)}), nullptr);  // an edited frame
    }
    EXPECT_EQ(readRegister().invoices()[0].state, IssuedState::Void);
    EXPECT_EQ(voidInvoice(m_fs, m_set, "A-1").code(), StatusCode::InvalidArgument);
    EXPECT_EQ(voidInvoice(m_fs, m_set, "Z-9").code(), StatusCode::NotFound);
    // A void number is never issued again.
    EXPECT_EQ(issue(m_fs, record("A-1"), m_dir.path("d.txt")).code(), StatusCode::InvalidArgument);
    EXPECT_FALSE(std::filesystem::exists(m_dir.path("d.txt")));
}

// Thousands of frames, some billed again by later invoices: every frame names the last invoice
// that billed it, whether indexed at once or added to as invoices were issued (the table kept
// or, once too full, laid out anew).
TEST(BilledFramesTest, EveryFrameNamesTheLastInvoiceThatBilledIt) {
    std::vector<unsigned char> bytes = InvoiceRegister::decode({})->bytes();
    std::map<FrameSignature, std::string> expected;
    std::uint32_t seed = 7;
    const auto next = [&seed] { return seed = seed * 1103515245u + 12345u; };
    const auto issueOne = [&](int i) {
        Invoice invoice;
        invoice.request.invoiceNumber = "N-" + std::to_string(i);
        for (int line = 0; line < 12; ++line) {
            // One line in four bills a frame an earlier invoice billed.
            const bool again = i > 0 && next() % 4 == 0;
            const std::int32_t start = again ? static_cast<std::int32_t>(next() % (i * 12)) * 60 : (i * 12 + line) * 60;
            const FrameSignature f{static_cast<std::int32_t>(start / 60 % 3), start, start + 30};
            invoice.lines.push_back({"P", 1.0, f.start, f.end, f.projectId});
            expected[f] = invoice.request.invoiceNumber;
        }
        const auto encoded = encodeIssuedInvoice(invoice, InvoiceParties{}, 0, false, 8);
        bytes.insert(bytes.end(), encoded.entry.begin(), encoded.entry.end());
    };
    const auto check = [&](const BilledFrames& billed) {
        for (const auto& [frame, number] : expected) {
            const std::string* found = billed.invoiceOf(frame);
            ASSERT_NE(found, nullptr) << frame.start;
            ASSERT_EQ(*found, number) << frame.start;
        }
        EXPECT_EQ(billed.indexOf({0, 1, 2}), -1);
    };
    // One register read again as invoices are issued, its index added to in place; beside it a
    // register and index made anew each time.
    InvoiceRegister reg;
    std::unique_ptr<BilledFrames> kept;
    int issued = 0;
    for (const int add : {1, 1, 7, 50, 342}) {
        SCOPED_TRACE(issued + add);
        for (int k = 0; k < add; ++k) issueOne(issued++);
        const auto fresh = InvoiceRegister::decode(bytes);
        ASSERT_TRUE(fresh);
        check(BilledFrames(*fresh));
        const std::size_t before = reg.invoices().size();
        const auto grown = reg.takeRead(bytes);
        ASSERT_TRUE(grown);
        EXPECT_EQ(*grown, kept != nullptr);  // the first reading replaces the empty register whole
        ASSERT_EQ(reg.invoices().size(), fresh->invoices().size());
        EXPECT_EQ(reg.entryOffset(reg.invoices().size() - 1), fresh->entryOffset(fresh->invoices().size() - 1));
        if (*grown) kept->add(before);
        else kept = std::make_unique<BilledFrames>(reg);
        check(*kept);
    }
    // A torn entry after them fails and leaves the register as it was.
    std::vector<unsigned char> torn = bytes;
    torn.insert(torn.end(), {9, 0, 0, 0, 1, 2});
    EXPECT_FALSE(reg.takeRead(torn));
    EXPECT_EQ(reg.bytes(), bytes);
    EXPECT_EQ(reg.invoices().size(), static_cast<std::size_t>(issued));
    // A void rewrites an entry in place: the register is decoded whole.
    std::vector<unsigned char> voided = bytes;
    unsigned char* entry = voided.data() + reg.entryOffset(3);
    const std::uint32_t n = codec::loadLittleEndian<std::uint32_t>(entry);
    codec::putInt32(entry, 4, 1);
    codec::storeLittleEndian(entry + 4 + n, crc32c(entry + 4, n));
    // Damaged after it: refused, the register as it was.
    std::vector<unsigned char> voidedAndTorn = voided;
    voidedAndTorn[reg.entryOffset(7) + 20] ^= 1;
    EXPECT_FALSE(reg.takeRead(voidedAndTorn));
    EXPECT_EQ(reg.bytes(), bytes);
    for (std::size_t i = 0; i < reg.invoices().size(); ++i) {
        ASSERT_EQ(reg.invoices()[i].number, "N-" + std::to_string(i));
        ASSERT_EQ(reg.invoices()[i].frames.size(), 12u);
    }
    const auto whole = reg.takeRead(voided);
    ASSERT_TRUE(whole);
    EXPECT_FALSE(*whole);
    EXPECT_EQ(reg.invoices()[3].state, IssuedState::Void);
    // Entries taken over or decoded, the register reads as one decoded whole.
    const auto fresh = InvoiceRegister::decode(voided);
    ASSERT_TRUE(fresh);
    ASSERT_EQ(reg.invoices().size(), fresh->invoices().size());
    for (std::size_t i = 0; i < reg.invoices().size(); ++i) {
        const IssuedInvoice& a = reg.invoices()[i];
        const IssuedInvoice& b = fresh->invoices()[i];
        EXPECT_EQ(std::tie(a.number, a.state, a.frames, a.issuedAt), std::tie(b.number, b.state, b.frames, b.issuedAt)) << i;
        EXPECT_EQ(reg.entryOffset(i), fresh->entryOffset(i));
        EXPECT_EQ(reg.textsAt(i).offset, fresh->textsAt(i).offset);
    }
    kept->rebuild();
    for (const IssuedInvoice& invoice : reg.invoices())
        for (const FrameSignature& f : invoice.frames) {
            const std::string* found = kept->invoiceOf(f);
            EXPECT_NE(found ? *found : "", "N-3");
            if (&invoice != &reg.invoices()[3]) {
                EXPECT_NE(found, nullptr);
            }
        }
}

// A register that cannot be trusted is reported, naming the file, and nothing is issued.
TEST_F(InvoiceRegisterTest, ARegisterThatCannotBeReadIsReportedAndNothingIsIssued) {
    ASSERT_TRUE(issue(m_fs, record("R-1", 1, 2), m_dir.path("r1.txt")));
    const std::string whole = fileBytes(m_set.invoiceRegister());
    const std::string reg = m_set.invoiceRegister();
    test::TempDir elsewhere;
    const struct {
        const char* name;
        std::function<void()> make;
    } cases[] = {
        {"torn", [&] { writeBytes(reg, whole.substr(0, whole.size() - 5)); }},
        {"header only, cut", [&] { writeBytes(reg, whole.substr(0, 6)); }},
        {"empty", [&] { writeBytes(reg, ""); }},
        {"garbage", [&] { writeBytes(reg, std::string(whole.size(), 'x')); }},
        {"a scribbled byte", [&] {
             std::string bytes = whole;
             bytes[40] = static_cast<char>(bytes[40] ^ 0x10);
             writeBytes(reg, bytes);
         }},
        {"another version", [&] {
             std::string bytes = whole;
             bytes[4] = 3;
             writeBytes(reg, bytes);
         }},
        {"padded", [&] { writeBytes(reg, whole + std::string(3, '\0')); }},
        {"a FIFO", [&] { ASSERT_EQ(::mkfifo(reg.c_str(), 0600), 0); }},
        {"a folder", [&] { std::filesystem::create_directory(reg); }},
        {"a link out of the set", [&] {
             const std::string notes = elsewhere.path("notes.txt");
             writeBytes(notes, whole);
             std::filesystem::create_symlink(notes, reg);
         }},
        {"a dangling link", [&] { std::filesystem::create_symlink(elsewhere.path("gone.ivr"), reg); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove_all(reg);
        c.make();
        const std::string before = std::filesystem::is_regular_file(reg) ? fileBytes(reg) : std::string();
        const std::string next = nextNumber();

        auto read = readInvoiceRegister(m_fs, m_set);
        ASSERT_FALSE(read.isOk());
        EXPECT_EQ(read.status().message(), "Cannot read invoice register : " + reg);

        const std::string output = m_dir.path("refused.txt");
        EXPECT_FALSE(issue(m_fs, record("R-2", 3, 31), output));
        EXPECT_FALSE(issueAsWindow(m_fs, record("R-2", 3, 31), next).isOk());
        EXPECT_FALSE(voidInvoice(m_fs, m_set, "R-1"));
        EXPECT_FALSE(std::filesystem::exists(output));
        EXPECT_EQ(nextNumber(), next);
        if (std::filesystem::is_regular_file(reg)) {
            EXPECT_EQ(fileBytes(reg), before);
        }
        EXPECT_EQ(std::filesystem::is_symlink(reg), std::string(c.name).find("link") != std::string::npos);
    }
    std::filesystem::remove_all(reg);
    // A link to a register of its own kind elsewhere is followed, and written at its target.
    const std::string synced = elsewhere.path("Work.ivr");
    writeBytes(synced, whole);
    std::filesystem::create_symlink(synced, reg);
    EXPECT_EQ(readRegister().invoices().size(), 1u);
    ASSERT_TRUE(voidInvoice(m_fs, m_set, "R-1"));
    EXPECT_TRUE(std::filesystem::is_symlink(reg));
    EXPECT_NE(fileBytes(synced), whole);
}

// A register of the first layout lists and reprints as it did; the first change rewrites it in
// the second layout, its texts moved out, and every invoice still reprints the same.
TEST_F(InvoiceRegisterTest, ARegisterOfTheFirstLayoutIsReadAndRewrittenInTheSecond) {
    ASSERT_TRUE(issue(m_fs, record("F-1", 1, 2), m_dir.path("f1.txt")));
    ASSERT_TRUE(issue(m_fs, record("F-2", 3, 31), m_dir.path("f2.txt")));
    const InvoiceRegister second = readRegister();
    const std::vector<std::string> printed = {fileBytes(m_dir.path("f1.txt")), fileBytes(m_dir.path("f2.txt"))};
    writeBytes(m_set.invoiceRegister(), firstLayout(fileBytes(m_set.invoiceRegister()), fileBytes(m_set.invoiceTexts())));
    std::filesystem::remove(m_set.invoiceTexts());

    const auto reprints = [&](const InvoiceRegister& reg, std::size_t i) {
        auto content = issuedContent(m_fs, reg, i, m_set);
        EXPECT_TRUE(content.isOk()) << content.status().messageWithReason();
        return content ? invoiceFileText(content->invoice, content->parties) : std::string();
    };
    const InvoiceRegister first = readRegister();
    EXPECT_EQ(first.version(), 1);
    ASSERT_EQ(first.invoices().size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        const IssuedInvoice& a = first.invoices()[i];
        const IssuedInvoice& b = second.invoices()[i];
        EXPECT_EQ(std::tie(a.number, a.customerName, a.monetarySymbol, a.sums, a.frames, a.issuedAt),
                  std::tie(b.number, b.customerName, b.monetarySymbol, b.sums, b.frames, b.issuedAt));
        EXPECT_EQ(reprints(first, i), printed[i]);
    }
    ASSERT_TRUE(voidInvoice(m_fs, m_set, "F-1"));
    EXPECT_EQ(readRegister().version(), 1);

    ASSERT_TRUE(issue(m_fs, record("F-3", 1, 31, true), m_dir.path("f3.txt")));
    const InvoiceRegister rewritten = readRegister();
    EXPECT_EQ(rewritten.version(), 2);
    ASSERT_EQ(rewritten.invoices().size(), 3u);
    EXPECT_EQ(rewritten.invoices()[0].state, IssuedState::Void);
    EXPECT_EQ(reprints(rewritten, 0), printed[0]);
    EXPECT_EQ(reprints(rewritten, 1), printed[1]);
    EXPECT_EQ(reprints(rewritten, 2), fileBytes(m_dir.path("f3.txt")));
}

// The texts are read for a reprint alone: when they are damaged the reprint is refused naming
// them, the list still shows, and an invoice is issued only where its texts can follow.
TEST_F(InvoiceRegisterTest, DamagedTextsRefuseTheReprintAndIssuingWhereTheyCannotBeKept) {
    ASSERT_TRUE(issue(m_fs, record("T-1", 1, 2), m_dir.path("t1.txt")));
    const std::string texts = m_set.invoiceTexts();
    const std::string whole = fileBytes(texts);
    const struct {
        const char* name;
        std::string bytes;  // empty: no texts file
        bool issues;
    } cases[] = {
        {"missing", "", false},
        {"cut short", whole.substr(0, whole.size() - 3), false},
        {"a scribbled byte", [&] {
             std::string b = whole;
             b[b.size() / 2] = static_cast<char>(b[b.size() / 2] ^ 0x20);
             return b;
         }(), true},
        {"another kind of file", "QLXX" + whole.substr(4), false},
    };
    const std::string registerBytes = fileBytes(m_set.invoiceRegister());
    const std::string settingsBytes = fileBytes(m_set.settings());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        writeBytes(m_set.invoiceRegister(), registerBytes);
        writeBytes(m_set.settings(), settingsBytes);
        std::filesystem::remove(texts);
        if (!c.bytes.empty()) writeBytes(texts, c.bytes);

        const InvoiceRegister reg = readRegister();
        ASSERT_EQ(reg.invoices().size(), 1u);
        EXPECT_EQ(reg.invoices()[0].customerName, "Acme Corp");
        auto content = issuedContent(m_fs, reg, 0, m_set);
        ASSERT_FALSE(content.isOk());
        EXPECT_EQ(content.status().message(), "Cannot read invoice register : " + texts);

        EXPECT_EQ(issue(m_fs, record("T-2", 3, 31), m_dir.path("t2.txt")).isOk(), c.issues);
        EXPECT_EQ(readRegister().invoices().size(), c.issues ? 2u : 1u);
        if (c.issues) {
            EXPECT_EQ(nextNumber(), "T-3");
        } else {
            EXPECT_EQ(fileBytes(m_set.settings()), settingsBytes);
            EXPECT_EQ(fileBytes(m_set.invoiceRegister()), registerBytes);
        }
    }
}

// Issuing stores the number, then records the invoice, then shows it. Whichever step fails or
// crashes, no invoice is recorded whose number is not stored and no number can be issued twice.
TEST_F(InvoiceRegisterTest, AFailureOrCrashAtEveryStepOfIssuingNeverRecordsAnUnstoredNumber) {
    ASSERT_TRUE(issue(m_fs, record("9600000", 1, 2), m_dir.path("earlier.txt")));
    const std::string registerBefore = fileBytes(m_set.invoiceRegister());
    const std::string settingsBefore = fileBytes(m_set.settings());
    const InvoicePlan rec = record("9600001", 3, 31);

    enum class Way { Issue, Claim };  // the command line's issue, the window's claim at OK
    for (const Way way : {Way::Issue, Way::Claim}) {
        for (const bool crash : {false, true}) {
            bool succeeded = false;
            for (int n = 1; !succeeded && n < 200; ++n) {
                SCOPED_TRACE((way == Way::Issue ? "issue, " : "claim, ") + std::string(crash ? "crash" : "failure") +
                             " at call " + std::to_string(n));
                writeBytes(m_set.invoiceRegister(), registerBefore);
                writeBytes(m_set.settings(), settingsBefore);
                const std::string output = m_dir.path("invoice.txt");
                std::filesystem::remove(output);

                test::FaultyFileSystem faulty;
                if (crash) faulty.crashAt(n);
                else faulty.failCall(n);
                Status st;
                if (way == Way::Issue) {
                    st = issue(faulty, rec, output);
                } else {
                    st = issueAsWindow(faulty, rec, "9600001");
                }
                succeeded = st.isOk();
                if (succeeded) {
                    EXPECT_FALSE(faulty.failed());
                }

                const InvoiceRegister reg = readRegister();  // always whole: never torn
                const bool recorded = reg.find("9600001") != nullptr;
                const std::string next = nextNumber();
                // An entry never outlives its stored number: it can never be issued again.
                if (recorded) {
                    EXPECT_EQ(next, "9600002");
                }
                if (succeeded) {
                    EXPECT_TRUE(recorded);
                    if (way == Way::Issue) {
                        EXPECT_TRUE(std::filesystem::exists(output));
                    }
                } else if (!crash) {
                    // A failure cleans up: nothing recorded, the number free again, no file.
                    EXPECT_FALSE(recorded);
                    EXPECT_EQ(next, "9600001");
                    EXPECT_FALSE(std::filesystem::exists(output));
                }
                // The user tries again with the number now offered: one invoice, one number each.
                if (!succeeded) {
                    const std::string offered = next;
                    InvoicePlan retry = rec;
                    retry.invoice.request.invoiceNumber = offered;
                    ASSERT_TRUE(issue(m_fs, retry, output)) << offered;
                    std::set<std::string> numbers;
                    const InvoiceRegister after = readRegister();
                    for (const IssuedInvoice& i : after.invoices()) {
                        EXPECT_TRUE(numbers.insert(i.number).second) << i.number;
                    }
                    EXPECT_EQ(nextNumber(), nextInvoiceNumberAfter(offered));
                    // Texts of an issue that failed stay unused, never in the way; every invoice reprints.
                    EXPECT_GE(std::filesystem::file_size(m_set.invoiceTexts()), after.textsEnd());
                    for (std::size_t i = 0; i < after.invoices().size(); ++i) {
                        EXPECT_TRUE(issuedContent(m_fs, after, i, m_set).isOk()) << after.invoices()[i].number;
                    }
                }
            }
            EXPECT_TRUE(succeeded) << "never got through";
        }
    }
}

}  // namespace
}  // namespace ql::testing
