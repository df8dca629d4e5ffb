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

TEST(RecordingHost, PlaysTheQueuedAnswerOfEachDialogInOrder) {
    RecordingHost host;
    host.queueAnswer({900, DialogResult::Ok, {{10, "first"}}, {{11, true}}});
    host.queueAnswer({777, DialogResult::Ok, {{1, "other dialog"}}, {}});
    host.queueAnswer({900, DialogResult::Cancel, {{10, "x"}}, {}});

    ProbeDialog dialog;
    EXPECT_EQ(host.runDialog(dialog), DialogResult::Ok);
    EXPECT_EQ(dialog.typed, "first");
    EXPECT_TRUE(dialog.box);
    EXPECT_EQ(host.runDialog(dialog), DialogResult::Cancel);  // skips the answer for 777
    EXPECT_EQ(dialog.typed, "first");
    EXPECT_EQ(dialog.cancels, 1);
    ASSERT_EQ(host.dialogs.size(), 2u);
    EXPECT_TRUE(host.dialogs[1].answered);
    EXPECT_THAT(host.dialogs[0].shown,
                ElementsAre(ShownControl{10, "start", false}, ShownControl{11, "box", false},
                            ShownControl{12, "a", true}, ShownControl{13, "b", false},
                            ShownControl{14, "locked", false}));
}

TEST(RecordingHost, CancelsAndRecordsADialogWithNoAnswerQueued) {
    RecordingHost host;
    ProbeDialog dialog;
    EXPECT_EQ(host.runDialog(dialog), DialogResult::Cancel);
    EXPECT_EQ(dialog.cancels, 1);
    ASSERT_EQ(host.dialogs.size(), 1u);
    EXPECT_FALSE(host.dialogs[0].answered);
    EXPECT_EQ(host.dialogs[0].result, DialogResult::Cancel);
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

TEST(DialogModel, ReadsBackAtMostNinetyNineCharactersAndReopensFresh) {
    ProbeDialog dialog;
    dialog.open();
    dialog.setText(10, std::string(120, '7'));
    dialog.click(11);
    dialog.finish(DialogResult::Ok);
    EXPECT_EQ(dialog.typed, std::string(99, '7'));
    EXPECT_EQ(dialog.text(10), std::string(120, '7'));  // shown whole, read cut
    dialog.opening = "again";
    dialog.open();
    EXPECT_EQ(dialog.text(10), "again");
    EXPECT_FALSE(dialog.checked(11));
    EXPECT_FALSE(dialog.click(kIdOk));  // push buttons end the dialog; they are not clicked here
}

TEST(RecordingHost, KeepsTheLastCheckStateAndAnswersSaveRequestsFromItsQueue) {
    RecordingHost host;
    host.checkMenuItem(40009, true);
    host.checkMenuItem(40008, true);
    host.checkMenuItem(40009, false);
    EXPECT_FALSE(host.isChecked(40009));
    EXPECT_TRUE(host.isChecked(40008));
    EXPECT_FALSE(host.isChecked(40001));  // never set

    host.queueFileName("shot.bmp");
    const SaveFileRequest request{"Snapshot File Name", {{"Bitmap Files (*.bmp)", "*.bmp"}}, "bmp"};
    EXPECT_EQ(host.askSaveFileName(request), "shot.bmp");
    EXPECT_EQ(host.askSaveFileName(request), std::nullopt);  // nothing queued: cancelled
    EXPECT_THAT(host.saveRequests, ElementsAre(request, request));
    EXPECT_EQ(host.setCursor(CursorShape::VerticalResize), CursorShape::Arrow);
    EXPECT_EQ(host.setCursor(CursorShape::Arrow), CursorShape::VerticalResize);
}

}  // namespace
}  // namespace mirovale
