#pragma once

#include <memory>

class QGuiApplication;

namespace mirovale {

// A QGuiApplication for programs that paint without showing a window: on the offscreen platform
// unless QT_QPA_PLATFORM names another, so that it works without a display. Nothing (a null
// pointer) when an application object exists already.
// argv0 : the program's name; kept for the application's lifetime
[[nodiscard]] std::unique_ptr<QGuiApplication> makeHeadlessApplication(char* argv0);

// Makes sure a QGuiApplication exists, as fonts and painting need one: when none does, makes a
// headless one that lasts until the program ends (tests, and code that cannot own one).
void ensureGuiApplication();

}  // namespace mirovale
