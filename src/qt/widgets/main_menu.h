#pragma once

#include <cstdint>
#include <functional>

class QMenuBar;

namespace mirovale {

class QtHost;

// Fills the menu bar from the workbench's menu table: the popups in their order, the task and
// series-type sub-popups under " Settings", every item with its text. Only the task and
// series-type items can show a check mark, and only as the host sets it: a triggered item's
// own toggle is undone before `trigger` runs its command. Actions are named "command<id>".
void buildMainMenu(QMenuBar& bar, QtHost& host, const std::function<void(std::uint16_t)>& trigger);

}  // namespace mirovale
