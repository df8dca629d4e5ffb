#include "qt/widgets/qt_host.h"

#include <QAction>
#include <QFileDialog>
#include <QMessageBox>
#include <QThread>
#include <QWidget>

#include "qt/canvas_fonts.h"
#include "qt/widgets/client_area.h"
#include "qt/widgets/dialog_view.h"
#include "qt/qt_pixel_source.h"

namespace mirovale {
namespace {

QString qtText(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QMessageBox::Icon qtIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Exclamation:
            return QMessageBox::Warning;
        case MessageIcon::Information:
            return QMessageBox::Information;
        default:
            return QMessageBox::NoIcon;
    }
}

// "Bitmap Files (*.bmp);;..." from the request's filters.
QString filterList(const SaveFileRequest& request) {
    QStringList filters;
    for (const FileFilter& f : request.filters) {
        const std::string shown = "(" + f.pattern + ")";
        filters << QString::fromStdString(f.description.find(shown) == std::string::npos
                                              ? f.description + " " + shown
                                              : f.description);
    }
    return filters.join(QStringLiteral(";;"));
}

}  // namespace

QtHost::QtHost(QWidget& window, ClientArea& area, std::function<void()> close)
    : window_(window), area_(area), close_(std::move(close)) {}

void QtHost::addMenuAction(std::uint16_t commandId, QAction& action) {
    actions_[commandId] = &action;
}

void QtHost::restoreCheck(std::uint16_t commandId) {
    const auto it = actions_.find(commandId);
    if (it != actions_.end() && it->second->isCheckable()) it->second->setChecked(isChecked(commandId));
}

bool QtHost::isChecked(std::uint16_t commandId) const {
    const auto it = checks_.find(commandId);
    return it != checks_.end() && it->second;
}

void QtHost::onWindowThread(const std::function<void()>& call) {
    if (QThread::currentThread() == thread())
        call();
    else
        QMetaObject::invokeMethod(this, call, Qt::BlockingQueuedConnection);
}

void QtHost::messageBox(std::string_view text, std::string_view caption, MessageIcon icon) {
    onWindowThread([&] {
        if (journal_) journal_->messages.push_back({std::string(text), std::string(caption), icon});
        if (journal_ && journal_->unattended) return;
        QMessageBox box(qtIcon(icon), qtText(caption), qtText(text), QMessageBox::Ok, &window_);
        box.exec();
    });
}

void QtHost::checkMenuItem(std::uint16_t commandId, bool checked) {
    checks_[commandId] = checked;
    restoreCheck(commandId);
}

void QtHost::invalidate(const Rect& rect, bool erase) {
    onWindowThread([&] { area_.invalidate(rect, erase); });
}

DialogResult QtHost::runDialog(DialogModel& dialog) {
    if (journal_ && (journal_->unattended || journal_->answers.has(dialog.id()))) {
        journal_->dialogs.push_back(runAnsweredDialog(dialog, journal_->answers.take(dialog.id())));
        return journal_->dialogs.back().result;
    }
    dialog.open();
    DialogView view(dialog, &window_);
    const DialogResult result =
        view.exec() == QDialog::Accepted ? DialogResult::Ok : DialogResult::Cancel;
    dialog.finish(result);
    return result;
}

std::optional<std::string> QtHost::askSaveFileName(const SaveFileRequest& request) {
    QFileDialog dialog(&window_, QString::fromStdString(request.title));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(filterList(request));
    // A name typed without an extension takes that of the file type selected.
    const auto suffixOf = [&request](qsizetype index) {
        const std::string& pattern =
            request.filters[static_cast<std::size_t>(index)].pattern;
        const std::size_t dot = pattern.rfind("*.");
        const std::string extension = dot == std::string::npos ? "" : pattern.substr(dot + 2);
        return QString::fromStdString(
            extension.empty() || extension == "*" ? request.defaultExtension : extension);
    };
    dialog.setDefaultSuffix(request.filters.empty()
                                ? QString::fromStdString(request.defaultExtension)
                                : suffixOf(0));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&](const QString& filter) {
        const qsizetype index = dialog.nameFilters().indexOf(filter);
        if (index >= 0) dialog.setDefaultSuffix(suffixOf(index));
    });
    // Overwriting an existing file is confirmed (QFileDialog asks unless told not to).
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().front().toStdString();
}

std::unique_ptr<PixelSource> QtHost::captureClientArea() {
    if (area_.image().isNull()) return nullptr;
    return std::make_unique<QtPixelSource>(area_.image());
}

void QtHost::closeWindow() {
    ++closeRequests_;
    QMetaObject::invokeMethod(this, close_, Qt::QueuedConnection);
}

void QtHost::showEditField(const Rect& rect) {
    area_.showEditField(rect);
}

void QtHost::hideEditField() {
    area_.hideEditField();
}

void QtHost::setEditFieldText(std::string_view text) {
    area_.setEditFieldText(qtText(text));
}

std::string QtHost::editFieldText() const {
    return area_.editFieldText().toStdString();
}

CursorShape QtHost::setCursor(CursorShape shape) {
    return area_.setCursorShape(shape);
}

void QtHost::capturePointer() {
    area_.capturePointer();
}

void QtHost::releasePointer() {
    area_.releasePointer();
}

ClientSize QtHost::clientSize() const {
    return {area_.width(), area_.height()};
}

int QtHost::lineHeight() const {
    return kWindowLineHeight;
}

}  // namespace mirovale
