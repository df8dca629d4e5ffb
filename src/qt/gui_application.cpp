#include "qt/gui_application.h"

#include <QGuiApplication>

namespace mirovale {
namespace {

// QGuiApplication keeps references to its arguments for its lifetime.
struct Arguments {
    int argc = 1;
    char* argv[4] = {};
};

Arguments& arguments(char* argv0) {
    static char platformOption[] = "-platform";
    static char offscreen[] = "offscreen";
    static Arguments args;
    args.argv[0] = argv0;
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        args.argv[1] = platformOption;
        args.argv[2] = offscreen;
        args.argc = 3;
    }
    return args;
}

QtMessageHandler qtMessages = nullptr;

// Qt warns that it has no runtime folder when XDG_RUNTIME_DIR is unset, as in a batch job or a
// container. The headless workbench never uses that folder, and the warning would otherwise be
// the only line on standard error of a command that succeeded.
void withoutRuntimeFolderWarning(QtMsgType type, const QMessageLogContext& context,
                                 const QString& message) {
    if (type == QtWarningMsg && message.startsWith(QLatin1String("QStandardPaths: "))) return;
    qtMessages(type, context, message);
}

}  // namespace

std::unique_ptr<QGuiApplication> makeHeadlessApplication(char* argv0) {
    if (QCoreApplication::instance() != nullptr) return nullptr;
    if (qtMessages == nullptr) qtMessages = qInstallMessageHandler(withoutRuntimeFolderWarning);
    Arguments& args = arguments(argv0);
    return std::make_unique<QGuiApplication>(args.argc, args.argv);
}

void ensureGuiApplication() {
    static char name[] = "mirovale";
    // Never destroyed: Qt cannot take its application apart after main has returned.
    static QGuiApplication* const application = makeHeadlessApplication(name).release();
    static_cast<void>(application);
}

}  // namespace mirovale
