#include "core/export/snapshot.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

#include "core/host/allocation.h"
#include "core/host/recording_host.h"
#include "export_test_support.h"

namespace mirovale {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using testing::ScratchFolder;

const std::vector<std::uint8_t> kPngBytes{0x89, 'P', 'N', 'G'};

// A picture whose PNG encoding is a fixed marker, as a front end's encoder would give bytes.
class EncodablePicture : public PixelImage {
public:
    using PixelImage::PixelImage;
    std::optional<std::vector<std::uint8_t>> encodePng() const override { return kPngBytes; }
};

// A capture of an odd depth that gives no rows.
class DepthOnly : public PixelImage {
public:
    explicit DepthOnly(int bits) : PixelImage(4, 2, kWhite), bits_(bits) {}
    int bitsPerPixel() const override { return bits_; }

private:
    int bits_;
};

// A recording host whose capture the test chooses; by default it captures its screen.
class CaptureHost : public RecordingHost {
public:
    std::function<std::unique_ptr<PixelSource>()> capture;
    std::unique_ptr<PixelSource> captureClientArea() override {
        return capture ? capture() : RecordingHost::captureClientArea();
    }
};

std::unique_ptr<PixelSource> encodable() {
    return std::make_unique<EncodablePicture>(3, 2, kWhite);
}

TEST(Snapshot, TheNameChoosesTheFormatIgnoringCase) {
    struct Case {
        int line;
        std::optional<std::string> name;  // nothing: the dialog is cancelled
        std::vector<std::string> written;
        std::uint8_t firstByte;  // of the file written
    } cases[] = {
        {__LINE__, "shot.bmp", {"shot.bmp"}, 'B'},
        {__LINE__, "SHOT.PCX", {"SHOT.PCX"}, 10},
        {__LINE__, "shot.Png", {"shot.Png"}, 0x89},
        {__LINE__, std::string(250, 'x') + ".pcx", {std::string(250, 'x') + ".pcx"}, 10},  // 254
        {__LINE__, "shot.gif", {}, 0},
        {__LINE__, std::nullopt, {}, 0},
    };
    for (const Case& c : cases) {
        ScratchFolder folder;
        CaptureHost host;
        host.capture = encodable;
        host.queueFileName(c.name ? std::optional(folder.file(*c.name)) : std::nullopt);
        std::string szSnapshotFile = "old";
        EXPECT_EQ(saveSnapshot(host, szSnapshotFile), 1) << c.line;
        EXPECT_EQ(szSnapshotFile, c.name ? folder.file(*c.name) : "") << c.line;
        EXPECT_THAT(host.messages, IsEmpty()) << c.line;
        EXPECT_EQ(folder.entries(), c.written) << c.line;
        if (!c.written.empty()) {
            EXPECT_EQ(testing::readBytes(folder.file(c.written[0]))[0], c.firstByte) << c.line;
        }
    }
}

// Where the chosen name points before the save.
enum class Target : int { OldFile, MissingFolder, Folder };

TEST(Snapshot, AFailureShowsItsMessagesAndLeavesNoFileBehind) {
    const std::vector<std::uint8_t> oldBytes{'o', 'l', 'd'};
    constexpr int kNoFault = 0;
    constexpr rlim_t kNoLimit = RLIM_INFINITY;
    using Source = std::function<std::unique_ptr<PixelSource>()>;
    const Source picture = [] {
        return std::make_unique<PixelImage>(testing::samplePicture(40, 3, 32));
    };
    const auto depth = [](int bits) -> Source {
        return [bits] { return std::make_unique<DepthOnly>(bits); };
    };
    struct Case {
        int line;
        std::string name;
        Source capture;
        Target target;
        int allocationFault;  // request failed, counted from the capture's
        rlim_t sizeLimit;     // bytes a file may take
        std::string message;
        std::string caption;
    } cases[] = {
        {__LINE__, "a.bmp", picture, Target::OldFile, 1, kNoLimit, "Нет памяти для BITMAPINFO",
         "About Bitmap"},
        {__LINE__, "a.bmp", picture, Target::OldFile, 2, kNoLimit, "GlobalAlloc ERROR!",
         "About Bitmap"},
        {__LINE__, "a.bmp", depth(33), Target::OldFile, kNoFault, kNoLimit,
         "Проблемы при выполнении GetObject", "About Bitmap"},
        {__LINE__, "a.bmp", depth(8), Target::OldFile, kNoFault, kNoLimit, "GetDIBits ERROR!",
         "About Bitmap"},
        {__LINE__, "a.bmp", picture, Target::OldFile, kNoFault, 0,
         "ERROR while writing BITMAPFILEHEADER!", "About Bitmap"},
        {__LINE__, "a.bmp", picture, Target::OldFile, kNoFault, 20,
         "ERROR while writing BITMAPINFOHEADER!", "About Bitmap"},
        {__LINE__, "a.bmp", picture, Target::OldFile, kNoFault, 60,
         "ERROR while writing bitmap bits!", "About Bitmap"},
        {__LINE__, "a.bmp", picture, Target::MissingFolder, kNoFault, kNoLimit, "CreateFile ERROR!",
         "About Bitmap"},
        {__LINE__, "a.bmp", picture, Target::Folder, kNoFault, kNoLimit, "CloseHandle ERROR!",
         "About Bitmap"},
        {__LINE__, "a.pcx", picture, Target::OldFile, 1, kNoLimit, "Нет памяти для буфера строки!",
         "About PCX"},
        {__LINE__, "a.pcx", picture, Target::OldFile, 2, kNoLimit, "Нет памяти для кодов строки!",
         "About PCX"},
        {__LINE__, "a.pcx", picture, Target::OldFile, kNoFault, 0, "ERROR while writing PCXHEADER!",
         "About PCX"},
        {__LINE__, "a.pcx", picture, Target::OldFile, kNoFault, 130,
         "ERROR while writing PCX codes!", "About PCX"},
        {__LINE__, "a.pcx", picture, Target::MissingFolder, kNoFault, kNoLimit, "CreateFile ERROR!",
         "About PCX"},
        {__LINE__, "a.pcx", picture, Target::Folder, kNoFault, kNoLimit, "CloseHandle ERROR!",
         "About PCX"},
        {__LINE__, "a.png", picture, Target::OldFile, kNoFault, kNoLimit, "PNG encoding ERROR!",
         "About PNG"},
        {__LINE__, "a.png", encodable, Target::OldFile, kNoFault, 0,
         "ERROR while writing PNG data!", "About PNG"},
        {__LINE__, "a.png", encodable, Target::MissingFolder, kNoFault, kNoLimit,
         "CreateFile ERROR!", "About PNG"},
        {__LINE__, "a.png", encodable, Target::Folder, kNoFault, kNoLimit, "CloseHandle ERROR!",
         "About PNG"},
    };
    for (const Case& c : cases) {
        ScratchFolder folder;
        if (c.target == Target::OldFile) testing::writeBytes(folder.file(c.name), oldBytes);
        if (c.target == Target::Folder) std::filesystem::create_directory(folder.file(c.name));
        CaptureHost host;
        host.queueFileName(c.target == Target::MissingFolder ? folder.file("missing/" + c.name)
                                                             : folder.file(c.name));
        std::string szSnapshotFile;
        {
            // Made before the fault is armed, so that the writers' requests are counted.
            std::unique_ptr<PixelSource> capture = c.capture();
            host.capture = [&capture] { return std::move(capture); };
            const ScopedAllocationFailure fault(c.allocationFault);
            const testing::ScopedFileSizeLimit limit(c.sizeLimit);
            EXPECT_EQ(saveSnapshot(host, szSnapshotFile), 1) << c.line;
        }
        const std::string notCreated = c.caption == "About Bitmap" ? "Bitmap file is not created"
                                       : c.caption == "About PCX"  ? "PCX file is not created"
                                                                   : "PNG file is not created";
        EXPECT_THAT(host.messages, ElementsAre(RecordedMessage{c.message, c.caption},
                                               RecordedMessage{notCreated, c.caption}))
            << c.line;
        const std::vector<std::string> left =
            c.target == Target::MissingFolder ? std::vector<std::string>{} : std::vector{c.name};
        EXPECT_EQ(folder.entries(), left) << c.line;  // no temporary file stays
        if (c.target == Target::OldFile) {
            EXPECT_EQ(testing::readBytes(folder.file(c.name)), oldBytes) << c.line;
        } else if (c.target == Target::Folder) {
            EXPECT_TRUE(std::filesystem::is_empty(folder.file(c.name))) << c.line;
        }
    }
}

}  // namespace
}  // namespace mirovale
