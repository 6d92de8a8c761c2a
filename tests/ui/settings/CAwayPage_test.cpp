#include "ui/settings/CAwayPage.h"

#include "ui/common/Profile.h"

#include <QCheckBox>
#include <QSettings>
#include <QSpinBox>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class AwayPage : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir.path());
    }
    static void setValue(const char* key, const QVariant& value) {
        QSettings(QStringLiteral("KESTRA"), QStringLiteral("Quillory")).setValue(QStringLiteral("Settings/") + key, value);
    }
    static bool has(const char* key) {
        return QSettings(QStringLiteral("KESTRA"), QStringLiteral("Quillory")).contains(QStringLiteral("Settings/") + key);
    }

private:
    QTemporaryDir m_dir;
};

TEST_F(AwayPage, ShowsTheProfileAndStoresOnlyWhatChanged) {
    {
        CAwayPage page;
        EXPECT_TRUE(page.detectionCheck()->isChecked());
        EXPECT_EQ(page.minutesSpin()->value(), 10);
        EXPECT_EQ(page.minutesSpin()->minimum(), 1);
        EXPECT_EQ(page.minutesSpin()->maximum(), 240);
        page.store();
        EXPECT_FALSE(has("AwayDetection"));
        EXPECT_FALSE(has("AwayMinutes"));
        page.detectionCheck()->setChecked(false);
        EXPECT_FALSE(page.minutesSpin()->isEnabled());
        page.minutesSpin()->setValue(45);
        page.store();
    }
    EXPECT_FALSE(Profile::awayDetection());
    EXPECT_EQ(Profile::awayMinutes(), 45);
    CAwayPage again;
    EXPECT_FALSE(again.detectionCheck()->isChecked());
    EXPECT_EQ(again.minutesSpin()->value(), 45);
    // A threshold outside one minute to four hours (edited by hand) reads as the default.
    for (const QVariant& stored : {QVariant(0), QVariant(241), QVariant("soon")}) {
        setValue("AwayMinutes", stored);
        EXPECT_EQ(Profile::awayMinutes(), 10) << stored.toString().toStdString();
    }
}

}  // namespace
