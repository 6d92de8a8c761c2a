#include "ui/reports/EInvoiceFiles.h"

#include "core/einvoice/EInvoiceGaps.h"
#include "core/einvoice/EInvoiceSample.h"
#include "ui/common/Translations.h"

#include <gtest/gtest.h>

#include <QLocale>
#include <QStringList>

#include <cstdlib>
#include <ctime>

namespace {

using namespace ql::testing;

// An invoice that lacks a detail at every place a gap is filled in, codes included.
std::pair<ql::Invoice, ql::InvoiceParties> lackingEverywhere() {
    ql::Invoice invoice = sampleInvoice();
    ql::InvoiceParties parties = completeParties();
    invoice.request.invoiceNumber.clear();
    invoice.lines[0].projectName = " ";
    parties.settings.companyName.clear();
    parties.settings.salesTaxRate = 0.0;
    parties.billing.countryCode = "SS";
    parties.billing.currencyCode = "BGN";
    parties.customer.name.clear();
    parties.customerDetails.vatId = "XK123456";
    return {invoice, parties};
}

// The English box reads as it always did; each other language words every gap and every place,
// and keeps the codes as they are.
TEST(EInvoiceGapText, WordsEveryGapAndPlaceInTheWindowsLanguage) {
    setenv("TZ", "Europe/Berlin", 1);
    tzset();
    const auto [invoice, parties] = lackingEverywhere();
    const QStringList englishLines = {
        QStringLiteral("the invoice number (Reports > Invoice...)"),
        QStringLiteral("the seller's name (File > Properties > Company)"),
        QStringLiteral("the seller's country code (SS is not in the standard's list) (File > Properties > Billing)"),
        QStringLiteral("a sales tax rate above zero (File > Properties > Invoice)"),
        QStringLiteral("the customer's name (Customers > Edit Customers...)"),
        QStringLiteral("the customer's VAT ID (its prefix XK is not in the standard's list) (Customers > Edit Customers...)"),
        QStringLiteral("the currency code (BGN is not in the standard's list) (File > Properties > Billing)"),
        QStringLiteral("a name for every project billed (Projects > Edit Projects...)"),
    };
    const QString heading = QStringLiteral("The e-invoice lacks details the standard requires:");
    ASSERT_EQ(missingEInvoiceText(ql::missingEInvoiceDetails(invoice, parties)), heading + QLatin1Char('\n') + englishLines.join(QLatin1Char('\n')));
    EXPECT_EQ(missingEInvoiceText(ql::missingEInvoiceDetails(sampleInvoice(), completeParties())), std::nullopt);

    const struct {
        const char* locale;
        QString heading;
        QString sellerCountryLine;
    } languages[] = {
        {"de_DE", QStringLiteral("Der E-Rechnung fehlen Angaben, die der Standard verlangt:"),
         QStringLiteral("der Ländercode des Verkäufers (SS steht nicht in der Liste des Standards) "
                        "(Datei > Eigenschaften > Abrechnung)")},
        {"fr_FR", QStringLiteral("Il manque à la facture électronique des informations exigées par la norme :"),
         QStringLiteral("le code pays du vendeur (SS ne figure pas dans la liste de la norme) "
                        "(Fichier > Propriétés > Facturation)")},
    };
    for (const auto& language : languages) {
        SCOPED_TRACE(language.locale);
        Translations translations;
        ASSERT_TRUE(translations.install(QLocale(QString::fromLatin1(language.locale)), {QStringLiteral(QUILLORY_QM_DIR)}));
        const std::optional<QString> text = missingEInvoiceText(ql::missingEInvoiceDetails(invoice, parties));
        ASSERT_TRUE(text.has_value());
        const QStringList lines = text->split(QLatin1Char('\n'));
        ASSERT_EQ(lines.size(), englishLines.size() + 1);
        EXPECT_EQ(lines[0], language.heading);
        EXPECT_EQ(lines[3], language.sellerCountryLine);
        for (qsizetype i = 0; i < englishLines.size(); ++i) {
            const QString& english = englishLines[i];
            const QString englishDetail = english.left(english.lastIndexOf(QStringLiteral(" (")));
            const QString englishPlace = english.mid(english.lastIndexOf(QStringLiteral(" (")));
            EXPECT_FALSE(lines[i + 1].contains(englishDetail)) << lines[i + 1].toStdString();
            EXPECT_FALSE(lines[i + 1].endsWith(englishPlace)) << lines[i + 1].toStdString();
        }
        EXPECT_TRUE(lines[7].contains(QStringLiteral("BGN")));
        EXPECT_TRUE(lines[6].contains(QStringLiteral("XK")));
    }
}

}  // namespace
