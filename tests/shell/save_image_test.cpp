#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "core/host/allocation.h"
#include "core/host/recording_host.h"
#include "core/shell/command_handler.h"
#include "core/shell/commands.h"

namespace mirovale {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// A window whose save dialog covers the client area in black while it is open.
class CoveringDialogHost : public RecordingHost {
public:
    std::optional<std::string> askSaveFileName(const SaveFileRequest& request) override {
        screen = PixelImage(screen.width(), screen.height(), kBlack);
        return RecordingHost::askSaveFileName(request);
    }
};

TEST(SaveImageCommand, SavesTheWindowAsItWasBeforeTheDialogOpened) {
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / "mirovale-save-image-test.bmp";
    CoveringDialogHost host;
    host.screen = PixelImage(1, 1, kWhite);
    host.queueFileName(path.string());
    ProgramState s;
    handleCommand(host, s, IDM_SAVE_IMAGE);

    EXPECT_EQ(s.szSnapshotFile, path.string());
    EXPECT_THAT(host.messages, IsEmpty());
    std::ifstream in(path, std::ios::binary);
    const std::vector<char> file{std::istreambuf_iterator<char>(in), {}};
    std::filesystem::remove(path);
    ASSERT_EQ(file.size(), 54u + 32u);  // one 32-bit pixel, image size (1 + 7) / 8 x 1 x 32
    EXPECT_THAT(std::vector(file.begin() + 54, file.begin() + 58), ElementsAre(-1, -1, -1, 0));
}

TEST(SaveImageCommand, ReportsWhenTheWindowCannotBeCopied) {
    RecordingHost host;
    ProgramState s;
    {
        const ScopedAllocationFailure fault(1);
        handleCommand(host, s, IDM_SAVE_IMAGE);
    }
    EXPECT_THAT(host.saveRequests, IsEmpty());
    EXPECT_THAT(host.messages, ElementsAre(RecordedMessage{"Проблемы при выполнении MakeSnapshot",
                                                           "Open File Name"}));
}

}  // namespace
}  // namespace mirovale
