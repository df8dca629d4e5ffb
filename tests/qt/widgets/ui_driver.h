#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressDialog>
#include <QTest>
#include <QTimer>
#include <functional>

#include "core/host/dialog_answers.h"
#include "core/host/recording_host.h"

namespace mirovale::test {

// The user of the modal windows the workbench opens, for tests: it answers each dialog built
// from a template with the next answer queued for it, typing and clicking as a user does,
// records and closes message boxes, and hands progress and file dialogs to hooks.
class UiDriver {
public:
    enum class Keys { Buttons, EnterEscape };  // how OK and Cancel are given

    UiDriver() {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] { tick(); });
        timer_.start();
    }

    void queue(DialogAnswer answer) { answers_.push(std::move(answer)); }
    Keys keys = Keys::Buttons;
    std::vector<RecordedMessage> messages;
    // Called with each message box before it is closed.
    std::function<void(QMessageBox&)> onMessage;
    // Called with a save dialog; the driver rejects it afterwards unless the hook closed it.
    std::function<void(QFileDialog&)> onFileDialog;
    // Modal progress dialogs seen.
    int progressDialogs = 0;

private:
    void tick() {
        bool progress = false;
        for (QWidget* top : QApplication::topLevelWidgets())
            if (auto* p = qobject_cast<QProgressDialog*>(top))
                progress = progress || (p->isVisible() && p->isModal());
        if (progress && !progressShown_) ++progressDialogs;
        progressShown_ = progress;
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            answerMessage(*box);
        } else if (auto* files = qobject_cast<QFileDialog*>(modal)) {
            if (onFileDialog) onFileDialog(*files);
            if (files->isVisible()) files->reject();
        } else if (modal && modal->objectName().startsWith(QStringLiteral("dialog"))) {
            answerDialog(*modal, modal->objectName().mid(6).toInt());
        }
    }

    void answerMessage(QMessageBox& box) {
        const auto icon = box.icon() == QMessageBox::Warning       ? MessageIcon::Exclamation
                          : box.icon() == QMessageBox::Information ? MessageIcon::Information
                                                                   : MessageIcon::None;
        messages.push_back({box.text().toStdString(), box.windowTitle().toStdString(), icon});
        if (onMessage) onMessage(box);
        QTest::mouseClick(box.button(QMessageBox::Ok), Qt::LeftButton);
    }

    void answerDialog(QWidget& dialog, int id) {
        const auto answer = answers_.take(id);
        const auto control = [&](int c) {
            return dialog.findChild<QWidget*>(QStringLiteral("control%1").arg(c));
        };
        if (answer) {
            for (const auto& [c, text] : answer->fields) {
                auto* edit = qobject_cast<QLineEdit*>(control(c));
                edit->selectAll();
                QTest::keyClick(edit, Qt::Key_Delete);
                QTest::keyClicks(edit, QString::fromStdString(text));
            }
            for (const auto& [c, wanted] : answer->checks) {
                auto* box = qobject_cast<QAbstractButton*>(control(c));
                if (box->isChecked() != wanted) QTest::mouseClick(box, Qt::LeftButton);
            }
        }
        const bool ok = answer && answer->result == DialogResult::Ok;
        if (keys == Keys::EnterEscape)
            QTest::keyClick(&dialog, ok ? Qt::Key_Return : Qt::Key_Escape);
        else
            QTest::mouseClick(qobject_cast<QAbstractButton*>(control(ok ? kIdOk : kIdCancel)),
                              Qt::LeftButton);
    }

    QTimer timer_;
    DialogAnswerQueue answers_;
    bool progressShown_ = false;
};

}  // namespace mirovale::test
