// The window in German and French: every text of its menus, dialogs and messages is
// translated, the translations are complete and keep what the program relies on, and without
// a translation (LANG=C) every text is the English one.
#include "ui/app/ShellFixture.h"
#include "ui/app/TranslationSupport.h"

#include "core/reports/Invoice.h"
#include "core/reports/ReportPeriod.h"
#include "core/store/BillingDetails.h"
#include "core/store/Customers.h"
#include "core/store/Projects.h"
#include "core/store/TimeFrames.h"
#include "ui/app/CAboutDlg.h"
#include "ui/app/CTessalyView.h"
#include "ui/chart/CChartHoursDlg.h"
#include "ui/chart/CTimeFrameDlg.h"
#include "ui/common/CommandIds.h"
#include "ui/common/CoreText.h"
#include "ui/common/HelpWindowService.h"
#include "ui/common/Translations.h"
#include "ui/customers/CCustomerInfoDlg.h"
#include "ui/projects/CProjectInfoDlg.h"
#include "ui/reports/PreviewWindow.h"
#include "ui/reports/CHistoryFilterDlg.h"
#include "ui/tracking/CAwayDlg.h"
#include "ui/tracking/CRecoveryDlg.h"
#include "ui/tracking/CSelectRunningDlg.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QPrinter>
#include <QPushButton>

namespace {

const QString kLanguages[] = {QStringLiteral("de"), QStringLiteral("fr")};
const QStringList kQmFolders = {QStringLiteral(QUILLORY_QM_DIR)};

// The commands whose dialogs and messages the walk opens; the others only leave (Exit),
// enter a mode (What's This) or ask the help window, whose texts the walk shows itself.
const int kWalkedCommands[] = {cmd::kFileNew,      cmd::kFileOpen,    cmd::kExport,        cmd::kProperties,
                               cmd::kFilePrintSetup, cmd::kCheckIn,   cmd::kEditCustomers, cmd::kEditProjects,
                               cmd::kPieChart,     cmd::kHistory,     cmd::kInvoice,       cmd::kInvoices,
                               cmd::kAppAbout};

// The texts a translation keeps as they are: those marked so, and the lines of a text that
// read the same in both (a tool tip "Pause" after a status tip), with and without mnemonics,
// as the window shows them.
QStringList sameInTranslation(const std::vector<TsMessage>& messages) {
    QStringList kept;
    const auto keep = [&](const QString& text) {
        kept << text << QString(text).remove(QRegularExpression(QStringLiteral("&(?=[^&])")));
    };
    for (const TsMessage& m : messages) {
        if (m.sameOnPurpose) keep(m.source);
        const QStringList source = m.source.split(QLatin1Char('\n')), translation = m.translation.split(QLatin1Char('\n'));
        for (qsizetype i = 0; i < source.size() && i < translation.size(); ++i)
            if (source[i] == translation[i]) keep(source[i]);
    }
    return kept;
}

class TranslatedWindow : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        ASSERT_TRUE(QDir().mkpath(path(QStringLiteral("pristine"))));
        settings = makeFileSet(QStringLiteral("pristine/Work.qlr")).toStdString();
        auto& fs = ql::defaultFileSystem();
        ASSERT_TRUE(ql::writeProjects(fs, ql::FileSet(settings).projects(), {{0, "Website", 0, 30.0, {}, -1}}));
        ASSERT_TRUE(ql::appendCustomer(fs, {0, "Acme Ltd", "1 Main St", "Springfield", "01101", "MA", "USA",
                                            "555-0100", {}},
                                       ql::FileSet(settings)));
        const std::int32_t start = clock.now() - 3600;
        ASSERT_TRUE(ql::appendTimeFrame(fs, ql::FileSet(settings), {0, start, start + 1800}));
    }

    // Every text of the window, its commands' dialogs and boxes, and the dialogs those open,
    // with the translation of locale installed (none for a null locale).
    TextWalk walk(const std::optional<QLocale>& locale) {
        // Each walk starts from the same files: one leaves a time frame and a journal behind.
        QDir work(path(QStringLiteral("walk")));
        EXPECT_TRUE(work.removeRecursively() && work.mkpath(QStringLiteral(".")));
        const QDir pristine(path(QStringLiteral("pristine")));
        for (const QString& file : pristine.entryList(QDir::Files))
            EXPECT_TRUE(QFile::copy(pristine.filePath(file), work.filePath(file)));
        settings = work.filePath(QStringLiteral("Work.qlr")).toStdString();
        Translations translations;
        if (locale) translations.install(*locale, kQmFolders);
        TextWalk walk;
        prompter.boxes.clear();
        {
            std::unique_ptr<CTessalyApp> app = startApp(QString::fromStdString(settings));
            walk.addWidget(QStringLiteral("frame"), app->frame());
            walk.addItems(QStringLiteral("view"), app->view().accessibleItems());
            for (const int id : kWalkedCommands) {
                const QString scope = QStringLiteral("command") + QString::number(id);
                modal.answerDialog = [&](QDialog& dialog) {
                    walk.addWidget(scope + QLatin1Char('/') + QLatin1String(dialog.metaObject()->className()), dialog);
                    return 0;
                };
                app->frame().action(id)->trigger();
            }
            // Running and paused: the title, the commands and the refusals that only then apply.
            CTessalyDoc& document = app->document();
            document.checkIn(0);
            document.togglePause();
            walk.addWidget(QStringLiteral("paused"), app->frame());
            walk.addItems(QStringLiteral("pausedView"), app->view().accessibleItems());
            for (const int id : {cmd::kFileNew, cmd::kFileOpen, cmd::kCheckOut})
                app->frame().action(id)->trigger();
            app->frame().close();
        }
        walkDialogs(walk);
        for (std::size_t i = 0; i < prompter.boxes.size(); ++i) {
            const QString key = QStringLiteral("box") + QString::number(i);
            walk.add(key + QStringLiteral(".caption"), prompter.boxes[i].caption);
            walk.add(key + QStringLiteral(".text"), prompter.boxes[i].text);
            for (qsizetype a = 0; a < prompter.boxes[i].answers.size(); ++a)
                walk.add(key + QStringLiteral(".answer") + QString::number(a), prompter.boxes[i].answers[a]);
        }
        return walk;
    }

    // The dialogs that open from inside other dialogs, or when the program asks on its own.
    void walkDialogs(TextWalk& walk) {
        auto& fs = ql::defaultFileSystem();
        const ql::FileSet set(settings);
        const std::int32_t now = clock.now();
        CProjectInfoDlg project(fs, prompter, set, {0, "Website", 0, 30.0, {}, -1});
        walk.addWidget(QStringLiteral("CProjectInfoDlg"), project);
        CCustomerInfoDlg customer({0, "Acme Ltd", "1 Main St", "Springfield", "01101", "MA", "USA", "555-0100", {}},
                                  ql::CustomerDetails{}, &prompter);
        walk.addWidget(QStringLiteral("CCustomerInfoDlg"), customer);
        CHistoryFilterDlg filter(fs, prompter, clock, set, [] { return std::optional<std::int32_t>(); });
        walk.addWidget(QStringLiteral("CHistoryFilterDlg"), filter);
        CTimeFrameDlg frame({0, now - 3600, now - 1800}, QStringLiteral("Website"), true, prompter);
        walk.addWidget(QStringLiteral("CTimeFrameDlg"), frame);
        CChartHoursDlg hours(ql::ChartHours{8, 18});
        walk.addWidget(QStringLiteral("CChartHoursDlg"), hours);
        CSelectRunningDlg running(fs, prompter, set, {0});
        walk.addWidget(QStringLiteral("CSelectRunningDlg"), running);
        CAwayDlg away({now - 7200, now - 3000}, {QStringLiteral("Website"), QStringLiteral("Acme")});
        walk.addWidget(QStringLiteral("CAwayDlg"), away);
        // Paused, with an entry left out: every part of its message.
        ql::RecoveryReview review;
        review.state = {{{0, now - 600}}, true, now - 300, now - 120};
        review.journalledHeartbeat = review.state.heartbeat;
        review.dropped = {{ql::RunningEntry(7, now - 900), ql::DropReason::UnknownProject}};
        CRecoveryDlg recovery(fs, prompter, set, review, nullptr);
        walk.addWidget(QStringLiteral("CRecoveryDlg"), recovery);
        HelpWindow helpWindow;
        helpWindow.showUsingHelp();
        walk.addWidget(QStringLiteral("HelpWindow"), helpWindow);
    }

    // What is left of a text once what may read the same in every language is taken out: the
    // data of the set, names, and the texts the translation keeps on purpose.
    QString withoutNames(QString text, const QStringList& sameOnPurpose) const {
        if (sameOnPurpose.contains(text)) return {};
        for (const QString& name : {QString::fromStdString(settings), QStringLiteral("Website"),
                                    QStringLiteral("Acme Ltd"),
                                    QStringLiteral("Acme"), QStringLiteral("QLExport.txt"), QStringLiteral("Quillory95"),
                                    QStringLiteral("Quillory")})
            text.remove(name);
        // A kept text inside a longer one (" - PAUSE" in the title); short ones could match anywhere.
        for (const QString& kept : sameOnPurpose)
            if (kept.size() >= 5) text.remove(kept);
        return text;
    }

    // The toolkit's own print dialog inside Print Setup: its texts come from the toolkit's
    // translation, which the program installs but does not write. Its title and OK are ours.
    static bool toolkitOwned(const QString& key) {
        static const QRegularExpression inside(QStringLiteral("/PrintSetupDialog/[1-9]"));
        return key.contains(inside);
    }

    std::string settings;
};

TEST_F(TranslatedWindow, EveryTextOfTheWindowIsTranslatedAndCIsEnglish) {
    const TextWalk english = walk(std::nullopt);
    // The walk reached the menus, the dialogs and the boxes.
    ASSERT_GT(english.texts.size(), 400u);
    ASSERT_GT(prompter.boxes.size(), 0u);
    for (const char* dialog : {"CCustomersDlg", "CProjectsTreeDlg", "CPropertiesSheet", "CNewInvoiceDlg", "CExportDlg"})
        EXPECT_TRUE(std::any_of(english.texts.begin(), english.texts.end(),
                                [&](const auto& t) { return t.first.contains(QLatin1String(dialog)); }))
            << dialog << " was not walked";

    // The C locale has no translation: every text is exactly the English one.
    const TextWalk inC = walk(QLocale::c());
    for (const auto& [key, text] : english.texts) {
        const auto found = inC.texts.find(key);
        EXPECT_TRUE(found != inC.texts.end() && found->second == text) << key.toStdString() << ": " << text.toStdString();
    }
    EXPECT_EQ(inC.texts.size(), english.texts.size());

    for (const QString& language : kLanguages) {
        SCOPED_TRACE(language.toStdString());
        const TextWalk translated = walk(QLocale(language));
        const QStringList sameOnPurpose = sameInTranslation(readTs(language));
        QStringList untranslated;
        for (const auto& [key, text] : english.texts) {
            if (toolkitOwned(key)) continue;
            const auto found = translated.texts.find(key);
            if (found == translated.texts.end()) {
                untranslated << key + QStringLiteral(" (gone)");
            } else if (found->second == text && hasLetters(withoutNames(text, sameOnPurpose))) {
                untranslated << key + QStringLiteral(": ") + text;
            }
        }
        EXPECT_TRUE(untranslated.isEmpty()) << untranslated.join(QLatin1Char('\n')).toStdString();
        // Each menu and dialog keeps its mnemonics apart as the English one does.
        for (const auto& [scope, letters] : translated.mnemonics) {
            if (toolkitOwned(scope + QStringLiteral("/1"))) continue;
            const auto englishLetters = english.mnemonics.find(scope);
            QSet<QChar> clashes = repeated(letters);
            if (englishLetters != english.mnemonics.end()) clashes -= repeated(englishLetters->second);
            QString twice;
            for (const QChar c : clashes) twice += c;
            EXPECT_TRUE(clashes.isEmpty()) << scope.toStdString() << " repeats " << twice.toStdString();
        }
    }
}

TEST(TranslationFiles, AreCompleteAndKeepPlaceholdersShortcutsAndOneMnemonic) {
    static const QRegularExpression placeholder(QStringLiteral("%\\d"));
    static const QRegularExpression mnemonic(QStringLiteral("(?<!&)&(?!&)"));
    const auto placeholders = [](const QString& text) {
        QStringList found;
        for (auto it = placeholder.globalMatch(text); it.hasNext();) found << it.next().captured();
        found.sort();
        return found;
    };
    const std::vector<TsMessage> german = readTs(QStringLiteral("de"));
    for (const QString& language : kLanguages) {
        SCOPED_TRACE(language.toStdString());
        const std::vector<TsMessage> messages = readTs(language);
        ASSERT_GT(messages.size(), 400u);
        // The languages translate the same texts.
        EXPECT_EQ(messages.size(), german.size());
        int unfinished = 0;
        for (const TsMessage& m : messages) {
            SCOPED_TRACE((m.context + QStringLiteral(": ") + m.source).toStdString());
            if (m.unfinished || m.translation.isEmpty()) ++unfinished;
            // A text kept as it is must say so, so that the walk can tell it from a forgotten one.
            EXPECT_EQ(m.translation == m.source, m.sameOnPurpose);
            EXPECT_EQ(placeholders(m.translation), placeholders(m.source));
            EXPECT_EQ(m.translation.section(QLatin1Char('\t'), 1), m.source.section(QLatin1Char('\t'), 1));
            EXPECT_EQ(m.translation.count(mnemonic), m.source.count(mnemonic));
        }
        EXPECT_EQ(unfinished, 0);
    }
}

TEST(Translations, FoundBesideTheBuildAndUnderTheInstalledPrefix) {
    // An installed program looks in the data folder of its own prefix.
    const QStringList folders = Translations::foldersFor(QStringLiteral("/opt/q/bin"));
    EXPECT_TRUE(folders.contains(QStringLiteral("/opt/q/share/quillory/translations")));
    EXPECT_EQ(folders.value(0), QStringLiteral("/opt/q/bin/translations"));

    for (const char* locale : {"de_DE", "de_AT", "fr_FR", "fr_CA"}) {
        SCOPED_TRACE(locale);
        Translations translations;
        EXPECT_TRUE(translations.install(QLocale(QString::fromLatin1(locale)), kQmFolders));
        // The toolkit's own buttons speak the language too.
        QDialogButtonBox buttons(QDialogButtonBox::Cancel);
        EXPECT_NE(buttons.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Cancel"));
    }
    for (const QLocale& english : {QLocale::c(), QLocale(QStringLiteral("en_US")), QLocale(QStringLiteral("en_GB"))}) {
        Translations translations;
        EXPECT_FALSE(translations.install(english, kQmFolders));
        EXPECT_EQ(coreText(ql::Message(ql::MessageId::CannotOpenProjectFile, {"/p"})),
                  QStringLiteral("Cannot open project file : /p"));
    }
    // Removed with the object: the next window speaks English again.
    EXPECT_EQ(QCoreApplication::translate("CMainFrame", "&File"), QStringLiteral("&File"));
}

// Messages of the core reach the window by id; translated, the parts the core filled in
// (paths, names, numbers, dates) stay as they were and its words are translated.
TEST(CoreText, TranslatesTheCoreMessagesByTheirId) {
    Translations translations;
    ASSERT_TRUE(translations.install(QLocale(QStringLiteral("de_DE")), kQmFolders));
    struct Case {
        ql::Message message;
        QString german;
    };
    const Case cases[] = {
        // Taken from the core itself, so that a change of its wording is noticed here.
        {ql::checkInvoiceNumber(std::string(80, '7')).userMessage(),
         QStringLiteral("Die Rechnungsnummer ist zu lang: Sie darf höchstens 31 Zeichen haben.")},
        {ql::ParseDateText("1/2", true, ql::DayClock::Start, ql::MessageId::FieldFrom).status().userMessage(),
         QStringLiteral("Das Datum \"1/2\" im Feld „Von“ ist kein Datum. Geben Sie drei durch „/“ getrennte Zahlen "
                        "ein, etwa 12/31/1996 (Monat/Tag/Jahr).")},
        {ql::ParseDateText("1/2/99999", false, ql::DayClock::End, ql::MessageId::FieldTo).status().userMessage(),
         QStringLiteral("Das Datum \"1/2/99999\" im Feld „Bis“ liegt außerhalb der Daten, die dieses Programm speichern "
                        "kann. Geben Sie ein vierstelliges Jahr von 1902 bis 2037 ein, etwa 31/12/1996 (Tag/Monat/Jahr).")},
        {ql::Message(ql::kPeriodChoiceTexts[0]), QStringLiteral("Dieses Jahr")},
        // A path that holds what looks like a placeholder is kept as it is.
        {ql::projectFileMessage("/home/%2/100% Work.prj"),
         QStringLiteral("Projektdatei kann nicht geöffnet werden: /home/%2/100% Work.prj")},
        {ql::Message(ql::MessageId::NoInvoiceNumbered, {"96-1\nsecond line"}),
         QStringLiteral("Keine Rechnung hat die Nummer 96-1\nsecond line")},
        // A place is worded by the window, in its language.
        {ql::Message(ql::MessageId::SelectInvoiceCustomer, {ql::Place::EditCustomers}),
         QStringLiteral("Wählen Sie einen Kunden für die Rechnung. Legen Sie zuerst einen mit „Kunden bearbeiten“ an.")},
        // A word of the program inside a message is translated with it; the user's text is not.
        {ql::Message(ql::MessageId::CustomerTextTooLong, {ql::MessageId::CustomerNotes, "1000", "notes"}),
         QStringLiteral("Das Feld „Notizen“ des Kunden ist zu lang zum Speichern (höchstens 1000 Bytes): notes")},
        // A free text is shown as it came.
        {ql::Message::freeText("Something else entirely %1"), QStringLiteral("Something else entirely %1")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(ql::englishText(c.message));
        EXPECT_EQ(coreText(c.message).toStdString(), c.german.toStdString());
    }
}

// Every message of the core has its translation in every shipped language, finished, with the
// same numbered parts as its source; the window's source is the core's English form, so a
// window without translations says what the command line prints.
TEST(CoreText, EveryMessageIdIsTranslatedInEveryLanguage) {
    for (const QString& language : kLanguages) {
        SCOPED_TRACE(language.toStdString());
        const std::vector<TsMessage> messages = readTs(language);
        ASSERT_FALSE(messages.empty()) << tsPath(language).toStdString();
        const auto find = [&](const QString& source) -> const TsMessage* {
            for (const TsMessage& m : messages)
                if (m.context == QLatin1String("CoreText") && m.source == source) return &m;
            return nullptr;
        };
        static const QRegularExpression placeholder(QStringLiteral("%[1-9]"));
        const auto placeholders = [](const QString& text) {
            QStringList found;
            for (auto it = placeholder.globalMatch(text); it.hasNext();) found << it.next().captured();
            found.sort();
            return found;
        };
        QStringList sources;
        for (std::size_t i = 1; i < ql::kMessageIdCount; ++i) {
            const auto id = static_cast<ql::MessageId>(i);
            const char* source = coreTextSource(id);
            ASSERT_NE(source, nullptr) << i;
            EXPECT_EQ(std::string(source), std::string(ql::englishForm(id))) << i;
            sources << QString::fromUtf8(source);
        }
        sources << QStringLiteral("Edit Customers");
        for (const QString& source : sources) {
            SCOPED_TRACE(source.toStdString());
            const TsMessage* m = find(source);
            ASSERT_NE(m, nullptr) << "no translation";
            EXPECT_FALSE(m->unfinished);
            EXPECT_FALSE(m->translation.isEmpty());
            EXPECT_TRUE(m->translation != m->source || m->sameOnPurpose);
            EXPECT_EQ(placeholders(m->translation), placeholders(m->source));
        }
    }
    EXPECT_EQ(coreText(ql::Message(ql::MessageId::SelectInvoiceCustomer, {ql::Place::EditCustomers})).toStdString(),
              ql::englishText(ql::Message(ql::MessageId::SelectInvoiceCustomer, {ql::Place::EditCustomers})));
}

// The toolkit's preview, translated too, still opens with its page-width action the one on.
using TranslatedPreview = ShellTest;
TEST_F(TranslatedPreview, OpensWithThePageWidthActionOn) {
    for (const QString& language : kLanguages) {
        SCOPED_TRACE(language.toStdString());
        Translations translations;
        ASSERT_TRUE(translations.install(QLocale(language), kQmFolders));
        const QString fitWidth = QCoreApplication::translate("QPrintPreviewDialog", "Fit width");
        ASSERT_NE(fitWidth, QStringLiteral("Fit width"));
        QPrinter printer;
        PreviewWindow window(&printer, nullptr);
        window.show();
        QCoreApplication::processEvents();
        QAction* fit = nullptr;
        for (QAction* action : window.findChildren<QAction*>())
            if (action->text() == fitWidth) fit = action;
        ASSERT_NE(fit, nullptr);
        EXPECT_TRUE(fit->isChecked());
        window.reject();
    }
}

}  // namespace
