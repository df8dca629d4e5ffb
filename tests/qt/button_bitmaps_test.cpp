#include "qt/button_bitmaps.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "core/host/recording_host.h"
#include "qt/gui_application.h"

namespace mirovale {
namespace {

// With one file missing, the first missing in the load order is reported and nothing loads.
TEST(ButtonBitmaps, AMissingButtonIsAFatalError) {
    ensureGuiApplication();
    const struct {
        int line;
        std::vector<const char*> present;
        const char* message;
    } cases[] = {
        {__LINE__, {}, "No Bitmap <ButtonStart>"},
        {__LINE__, {"restart", "next", "select-all", "unselect-all"}, "No Bitmap <ButtonExit>"},
        {__LINE__, {"restart", "exit", "select-all", "unselect-all"}, "No Bitmap <IDB_BITMAP1>"},
        {__LINE__, {"restart", "exit", "next", "unselect-all"}, "No Bitmap <IDB_BITMAP5>"},
        {__LINE__, {"restart", "exit", "next", "select-all"}, "No Bitmap <IDB_BITMAP4>"},
    };
    for (const auto& c : cases) {
        QTemporaryDir folder;
        for (const char* name : c.present) {
            const QString file = QString::fromLatin1(name) + QStringLiteral(".png");
            ASSERT_TRUE(QFile::copy(kButtonResourceFolder + u'/' + file, folder.filePath(file)));
        }
        RecordingHost host;
        EXPECT_FALSE(loadButtonBitmaps(host, folder.path()).has_value()) << "line " << c.line;
        ASSERT_EQ(host.messages.size(), 1u) << "line " << c.line;
        EXPECT_EQ(host.messages[0].text, c.message) << "line " << c.line;
        EXPECT_EQ(host.messages[0].caption, "Fatal Error") << "line " << c.line;
    }
}

}  // namespace
}  // namespace mirovale
