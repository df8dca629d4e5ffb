#include "core/host/recording_host.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace mirovale {
namespace {

using ::testing::ElementsAre;

DialogTemplate probeTemplate() {
    DialogTemplate t;
    t.id = 900;
    t.title = "Probe";
    DialogControl locked = edit(14, 5, 40, 20, 12);
    locked.enabled = false;
    t.controls = {edit(10, 5, 5, 20, 12),
                  checkBox(11, "box", 5, 20, 30, 10),
                  radioButton(12, "a", 1, 40, 5, 20, 10),
                  radioButton(13, "b", 1, 40, 20, 20, 10),
                  locked,
                  pushButton(kIdOk, "OK", 70, 40, 25, 14, true)};
    return t;
}

// A small dialog: one edit, one check box, two radios, a disabled edit. Its effects write into
// plain fields so the tests see what OK and Cancel did.
class ProbeDialog : public DialogModel {
public:
    ProbeDialog() : DialogModel(probeTemplate()) {}

    std::string opening = "start";
    std::string typed;
    bool box = false;
    int clicks = 0;
    int cancels = 0;

private:
    void onOpen() override {
        show(10, opening);
        show(14, "locked");
        showChecked(12, true);
    }
    void onClick(int) override { ++clicks; }
    void onOk() override {
        typed = fieldText(10);
        box = checked(11);
    }
    void onCancel() override { ++cancels; }
};

// Each dialog takes the first answer queued for it, past those of other dialogs, and records
// what it showed; with none left it is cancelled and recorded unanswered.
TEST(RecordingHost, PlaysTheQueuedAnswerOfEachDialogInOrderAndCancelsWhenNoneIsLeft) {
    RecordingHost host;
    host.queueAnswer({900, DialogResult::Ok, {{10, "first"}}, {{11, true}}});
    host.queueAnswer({777, DialogResult::Ok, {{1, "other dialog"}}, {}});
    host.queueAnswer({900, DialogResult::Cancel, {{10, "x"}}, {}});

    ProbeDialog dialog;
    EXPECT_EQ(host.runDialog(dialog), DialogResult::Ok);
    EXPECT_EQ(dialog.typed, "first");
    EXPECT_TRUE(dialog.box);
    EXPECT_EQ(host.runDialog(dialog), DialogResult::Cancel);  // skips the answer for 777
    EXPECT_EQ(host.runDialog(dialog), DialogResult::Cancel);  // nothing left for 900
    EXPECT_EQ(dialog.typed, "first");
    EXPECT_EQ(dialog.cancels, 2);
    ASSERT_EQ(host.dialogs.size(), 3u);
    EXPECT_TRUE(host.dialogs[1].answered);
    EXPECT_FALSE(host.dialogs[2].answered);
    EXPECT_THAT(host.dialogs[0].shown,
                ElementsAre(ShownControl{10, "start", false}, ShownControl{11, "box", false},
                            ShownControl{12, "a", true}, ShownControl{13, "b", false},
                            ShownControl{14, "locked", false}));
}

TEST(RecordingHost, ClicksOnlyWhereTheStateDiffersAndReportsWhatItCannotDo) {
    RecordingHost host;
    // 12 is checked already (no click); 13 is clicked; a click cannot uncheck a radio;
    // 14 is disabled and 99 does not exist.
    host.queueAnswer({900,
                      DialogResult::Ok,
                      {{14, "typed"}, {99, "1"}},
                      {{12, true}, {13, true}, {13, false}, {11, false}}});
    ProbeDialog dialog;
    host.runDialog(dialog);
    EXPECT_EQ(dialog.clicks, 2);
    EXPECT_TRUE(dialog.checked(13));
    EXPECT_FALSE(dialog.checked(12));  // the radio group cleared it
    EXPECT_EQ(dialog.text(14), "locked");
    EXPECT_THAT(host.dialogs[0].refused, ElementsAre(14, 99, 13));
}

}  // namespace
}  // namespace mirovale
