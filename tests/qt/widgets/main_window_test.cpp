#include "qt/widgets/main_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QMenuBar>

#include "core/shell/commands.h"
#include "qt/widgets/window_fixture.h"

namespace mirovale::test {
namespace {

QAction& action(MainWindow& window, std::uint16_t id) {
    return *window.findChild<QAction*>(QStringLiteral("command%1").arg(id));
}

// The menu is the workbench's table: popups, sub-popups and captions in order, and only the
// task and series-type items can carry a mark.
TEST(MainWindow, MenuFollowsTheTableAndOnlyTaskAndTypeItemsAreCheckable) {
    Workbenches w;
    EXPECT_EQ(w.window.windowTitle(), "Mirovale");
    EXPECT_FALSE(w.window.windowIcon().isNull());
    QStringList popups;
    for (QAction* popup : w.window.menuBar()->actions()) popups << popup->text();
    EXPECT_EQ(popups, QStringList({" File", " Processing", " Settings", " Else One"}));
    for (const MenuItem& item : menuItems()) {
        QAction& a = action(w.window, item.id);
        EXPECT_EQ(a.text().toStdString(), item.text);
        const auto* menu = qobject_cast<QMenu*>(a.parent());
        EXPECT_EQ(menu->title().toStdString(), item.subPopup.empty() ? item.popup : item.subPopup);
        const bool typeOrTask =
            std::count(std::begin(kTaskItems), std::end(kTaskItems), item.id) +
                std::count(std::begin(kSeriesTypeItems), std::end(kSeriesTypeItems), item.id) >
            0;
        EXPECT_EQ(a.isCheckable(), typeOrTask) << item.id;
    }
}

// Marks follow the handler's calls only: " Alphabet Recognition" does nothing and stays
// checked; " Detection" moves the task mark; a series type moves the type mark.
TEST(MainWindow, CheckMarksComeFromTheHandlerNotFromQt) {
    Workbenches w;
    const auto checked = [&] {
        std::vector<std::uint16_t> ids;
        for (const MenuItem& item : menuItems())
            if (action(w.window, item.id).isChecked()) ids.push_back(item.id);
        return ids;
    };
    // In menu order: the task items come before the series types.
    EXPECT_EQ(checked(), (std::vector<std::uint16_t>{IDM_ALPHABET_RECOGNITION, IDM_UNFIXED_WHOLE}));
    action(w.window, IDM_ALPHABET_RECOGNITION).trigger();
    action(w.window, IDM_UNFIXED_WHOLE).trigger();
    // In menu order: the task items come before the series types.
    EXPECT_EQ(checked(), (std::vector<std::uint16_t>{IDM_ALPHABET_RECOGNITION, IDM_UNFIXED_WHOLE}));
    action(w.window, IDM_DETECTION).trigger();
    action(w.window, IDM_FIXED_CUTOFF).trigger();
    EXPECT_EQ(checked(), (std::vector<std::uint16_t>{IDM_DETECTION, IDM_ALPHABET_RECOGNITION,
                                                     IDM_FIXED_CUTOFF}));
}

// The edit field of the parameters panel starts hidden at zero size; the host shows, moves,
// fills, reads and hides it.
TEST(MainWindow, EditFieldIsShownMovedFilledAndReadThroughTheHost) {
    Workbenches w;
    QLineEdit& field = w.window.clientArea().editField();
    EXPECT_FALSE(field.isVisible());
    EXPECT_EQ(field.size(), QSize(0, 0));
    EXPECT_TRUE(field.hasFrame());
    Host& host = w.window.host();
    host.showEditField({100, 200, 160, 222});
    host.setEditFieldText("42");
    EXPECT_TRUE(field.isVisible());
    EXPECT_EQ(field.geometry(), QRect(100, 200, 60, 22));
    QTest::keyClicks(&field, "7");
    EXPECT_EQ(host.editFieldText(), "427");
    host.showEditField({10, 20, 50, 40});
    EXPECT_EQ(field.geometry(), QRect(10, 20, 40, 20));
    host.hideEditField();
    EXPECT_FALSE(field.isVisible());
}

// " Exit" closes the window after its command and shuts the workbench down once.
TEST(MainWindow, ExitShutsDownAndCloses) {
    Workbenches w;
    action(w.window, IDM_EXIT).trigger();
    EXPECT_FALSE(w.window.isShutDown()) << "the close follows the command";
    QTRY_VERIFY(w.window.isShutDown());
    EXPECT_FALSE(w.window.isVisible());
    EXPECT_TRUE(w.window.state().lpRequiredList.empty());
}

// A missing picture button ends the window's creation with the fatal message, before anything
// of the workbench is made; the window is never shown.
TEST(MainWindow, AMissingButtonImageEndsCreationWithTheFatalMessage) {
    UiDriver ui;
    MainWindow window;
    const QString empty = QDir::temp().filePath(QStringLiteral("mirovale-no-buttons"));
    QDir().mkpath(empty);
    EXPECT_FALSE(window.start(empty));
    EXPECT_EQ(ui.messages,
              std::vector<RecordedMessage>({{"No Bitmap <ButtonStart>", "Fatal Error", MessageIcon::None}}));
    EXPECT_TRUE(window.state().lpRequiredList.empty());
    EXPECT_FALSE(window.isVisible());
    window.runCommand(IDM_PROCESS_NEXT);
    EXPECT_EQ(window.state().lpSeriesHeader, nullptr) << "a window that was not made runs nothing";
}

// Message boxes show the caption, text and icon they are given.
TEST(MainWindow, MessageBoxesShowWhatTheyAreGiven) {
    Workbenches w;
    const std::vector<RecordedMessage> shown = {
        {"Нет памяти для x!", " About x ", MessageIcon::Exclamation},
        {"two\nlines", "", MessageIcon::Information},
        {"plain", "caption", MessageIcon::None}};
    for (const RecordedMessage& m : shown) w.window.host().messageBox(m.text, m.caption, m.icon);
    EXPECT_EQ(w.ui.messages, shown);
}

// " Save image as...": the save dialog shows the request's title and file types, a name typed
// without an extension takes that of the type chosen, and the file holds the client area.
TEST(MainWindow, SaveImageAsWritesTheClientAreaUnderTheChosenType) {
    Workbenches w;
    const QString folder = QDir::temp().filePath(QStringLiteral("mirovale-window-save"));
    QDir(folder).removeRecursively();
    QDir().mkpath(folder);
    QString title;
    QStringList filters;
    QString suffixes;
    bool confirms = false;
    w.ui.onFileDialog = [&](QFileDialog& d) {
        title = d.windowTitle();
        filters = d.nameFilters();
        confirms = !d.testOption(QFileDialog::DontConfirmOverwrite);
        suffixes = d.defaultSuffix();
        auto* types = d.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        QTest::keyClick(types, Qt::Key_Down);
        QTest::keyClick(types, Qt::Key_Down);
        suffixes += " " + d.defaultSuffix();
        d.setDirectory(folder);
        auto* name = d.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        QTest::keyClicks(name, "shot");
        QTest::keyClick(name, Qt::Key_Return);
    };
    w.window.clientArea().repaintPending();
    const QImage shown = w.window.clientArea().image().convertToFormat(QImage::Format_RGB32);
    w.window.runCommand(IDM_SAVE_IMAGE);
    EXPECT_EQ(title, "Snapshot File Name");
    EXPECT_EQ(filters, QStringList({"Bitmap Files (*.bmp)", "PCX Files (*.pcx)", "PNG Files (*.png)"}));
    EXPECT_EQ(suffixes, "bmp png");
    EXPECT_TRUE(confirms);
    EXPECT_TRUE(w.ui.messages.empty());
    const QImage saved(QDir(folder).filePath(QStringLiteral("shot.png")));
    EXPECT_EQ(saved.convertToFormat(QImage::Format_RGB32), shown);
}

}  // namespace
}  // namespace mirovale::test
