#include "ui/common/FieldTextEdit.h"
#include "ui/common/FieldValidator.h"
#include "ui/common/RecordText.h"
#include "ui/TypeText.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMimeData>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct TypingCase {
    const char* what;
    QChar character;
    std::size_t width;
    int kept;  // characters the field stores
};

// A field of width w stores w - 1 bytes: UTF-8 while it fits, else Windows-1252 (one byte
// for each of its characters), else nothing more.
const TypingCase kTyping[] = {
    {"ASCII", QLatin1Char('x'), 61, 60},
    {"Latin-1 accent", QChar(0x00E9), 61, 60},
    {"euro sign, 8-bit only in Windows-1252", QChar(0x20AC), 61, 60},
    {"Latin Extended, no 8-bit form", QChar(0x0101), 61, 30},
    {"CJK, no 8-bit form", QChar(0x4E2D), 61, 20},
    {"Latin-1 accent in a short field", QChar(0x00E9), 31, 30},
    {"Latin Extended in a short field", QChar(0x0101), 31, 15},
};

TEST(FieldEdits, ALineEditTakesWhatItsFieldStoresAndRefusesTheRestAsTyped) {
    for (const TypingCase& c : kTyping) {
        QLineEdit edit;
        FieldValidator::install(&edit, c.width);
        typeText(&edit, QString(c.kept + 5, c.character));
        EXPECT_EQ(edit.text(), QString(c.kept, c.character)) << c.what;
        EXPECT_TRUE(fitsField(edit.text(), c.width)) << c.what;
        EXPECT_EQ(QString::fromStdString(toRecordText(edit.text(), c.width)), edit.text()) << c.what;
    }
}

TEST(FieldEdits, AMultiLineEditCountsEachLineBreakAsCrLf) {
    for (const TypingCase& c : kTyping) {
        FieldTextEdit edit;
        edit.setFieldWidth(c.width);
        typeText(&edit, QString(c.kept + 5, c.character));
        EXPECT_EQ(edit.toPlainText(), QString(c.kept, c.character)) << c.what;
    }
    FieldTextEdit edit;
    edit.setFieldWidth(11);  // ten bytes
    QTest::keyClicks(&edit, QStringLiteral("abcd"));
    QTest::keyClick(&edit, Qt::Key_Return);
    QTest::keyClick(&edit, Qt::Key_Return);
    QTest::keyClicks(&edit, QStringLiteral("xyz"));  // 4 + 2 + 2 + 2 = 10 bytes stored: "xy" fits
    QTest::keyClick(&edit, Qt::Key_Return);
    EXPECT_EQ(edit.toPlainText(), QStringLiteral("abcd\n\nxy"));
    EXPECT_EQ(toRecordLines(edit.toPlainText(), 11), "abcd\r\n\r\nxy");
    QTest::keyClick(&edit, Qt::Key_Backspace);
    QTest::keyClicks(&edit, QStringLiteral("!?"));
    EXPECT_EQ(edit.toPlainText(), QStringLiteral("abcd\n\nx!"));
}

TEST(FieldEdits, APasteIsTakenAsFarAsTheFieldStillHolds) {
    FieldTextEdit edit;
    edit.setFieldWidth(11);
    edit.setPlainText(QStringLiteral("ab"));
    edit.moveCursor(QTextCursor::End);
    QApplication::clipboard()->setText(QStringLiteral("\u00e9\u00e9\n\u0101\u0101\u0101\u0101"));
    edit.paste();
    // "ā" has no 8-bit form, so all is UTF-8: "abéé\r\nā" takes the ten bytes.
    EXPECT_EQ(edit.toPlainText(), QStringLiteral("ab\u00e9\u00e9\n\u0101"));
    EXPECT_TRUE(linesFitField(edit.toPlainText(), 11));
}

TEST(FieldEdits, TextSetWithoutTypingIsCutToItsLongestStorablePrefix) {
    // A setText() bypasses the validator; what reaches the record still fits whole characters.
    EXPECT_EQ(toRecordText(QString(70, QChar(0x00E9)), 61), QString(60, QChar(0x00E9)).toStdString());
    EXPECT_EQ(toRecordText(QString(40, QChar(0x0101)), 61), QString(30, QChar(0x0101)).toStdString());
    EXPECT_EQ(toRecordText(QStringLiteral("abc"), 1), "");
    // A cut never splits a line break's CR LF pair.
    EXPECT_EQ(toRecordLines(QStringLiteral("abcdefghi\nj"), 11), "abcdefghi");
    EXPECT_EQ(toRecordLines(QStringLiteral("abcdefgh\nj"), 11), "abcdefgh\r\n");
}

}  // namespace
