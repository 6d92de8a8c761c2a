#pragma once

#include "core/store/FileSet.h"
#include "core/store/HistoryFilterRecord.h"
#include "core/store/Projects.h"
#include "core/store/RecordFile.h"
#include "core/store/TimeFrames.h"
#include "core/time/Calendar.h"
#include "core/time/Clock.h"
#include "ui/RecordingPrompter.h"
#include "ui/ScriptedModal.h"
#include "ui/TempFileSet.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

// The widgets of a History Filter dialog, by object name.
struct FilterUi {
    explicit FilterUi(QDialog& d)
        : allRadio(find<QRadioButton>(d, "allRadio")),
          singleRadio(find<QRadioButton>(d, "singleRadio")),
          selectButton(find<QPushButton>(d, "selectButton")),
          projectLabel(find<QLabel>(d, "projectLabel")),
          periodList(find<QComboBox>(d, "periodList")),
          fromLabel(find<QLabel>(d, "fromLabel")),
          fromEdit(find<QLineEdit>(d, "fromEdit")),
          toLabel(find<QLabel>(d, "toLabel")),
          toEdit(find<QLineEdit>(d, "toEdit")),
          saveCheck(find<QCheckBox>(d, "saveCheck")) {}
    template <typename W>
    static W* find(QObject& parent, const char* name) {
        W* w = parent.findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QRadioButton* allRadio;
    QRadioButton* singleRadio;
    QPushButton* selectButton;
    QLabel* projectLabel;
    QComboBox* periodList;
    QLabel* fromLabel;
    QLineEdit* fromEdit;
    QLabel* toLabel;
    QLineEdit* toEdit;
    QCheckBox* saveCheck;
};

// A file set with projects and frames written directly, on Wednesday 11 December 1996, 10:00.
class HistoryFixture : public ::testing::Test {
protected:
    static std::int32_t at(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
        return *ql::calendar::fromLocal(y, mo, d, h, mi, s);
    }
    // Projects with ids 0, 1, ... ; parent ids as given (-1 for top level).
    void writeProjects(const std::vector<std::pair<std::string, std::int32_t>>& namesAndParents, double rate = 60.0) {
        std::vector<ql::ProjectRecord> records;
        for (const auto& [name, parent] : namesAndParents) {
            ql::ProjectRecord r;
            r.id = static_cast<std::int32_t>(records.size());
            r.parentId = parent;
            r.name = name;
            r.chargesPerHour = rate;
            records.push_back(r);
        }
        ASSERT_TRUE(ql::writeProjects(ql::defaultFileSystem(), set.path(ql::FileKind::Projects), records));
    }
    void writeFrames(const std::vector<ql::TimeFrameRecord>& frames) {
        std::vector<unsigned char> bytes;
        for (const auto& f : frames) {
            const auto b = ql::encodeTimeFrame(f);
            bytes.insert(bytes.end(), b.begin(), b.end());
        }
        const std::string tfr = set.path(ql::FileKind::TimeFrames);
        ASSERT_TRUE(ql::rewriteRecords(ql::defaultFileSystem(), tfr, ql::TimeFrameRecord::kSize, bytes.data(),
                                       bytes.size(), ql::Message::freeText(tfr)));
    }
    std::vector<ql::TimeFrameRecord> framesOnDisk() const {
        return ql::loadTimeFrames(ql::defaultFileSystem(), set.path(ql::FileKind::TimeFrames)).value();
    }
    // Saves the filter of one project over this year, as the filter dialog would.
    void saveFilterOf(std::int32_t projectId) {
        ASSERT_TRUE(ql::writeHistoryFilter(ql::defaultFileSystem(), set.path(ql::FileKind::HistoryFilter),
                                           {projectId, 0, at(1996, 1, 1), at(1996, 12, 31, 23, 59, 59)}));
    }
    std::optional<ql::HistoryFilterRecord> savedFilter() const {
        auto bytes = ql::readRecords(ql::defaultFileSystem(), set.path(ql::FileKind::HistoryFilter),
                                     ql::HistoryFilterRecord::kSize, ql::Message());
        if (!bytes || bytes->empty()) return std::nullopt;
        return ql::decodeHistoryFilter(bytes->data());
    }

    TempFileSet set;
    RecordingPrompter prompter;
    ScriptedModal modal;
    ql::FixedClock clock{at(1996, 12, 11, 10)};
    std::optional<std::int32_t> chooserAnswer;
    int chooserCalls = 0;
    std::function<std::optional<std::int32_t>()> chooser = [this] {
        ++chooserCalls;
        return chooserAnswer;
    };
};
