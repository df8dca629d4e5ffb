#include "core/shell/key_handler.h"

#include "core/shell/repaint.h"

namespace mirovale {

void handleKeyDown(Host& host, const ProgramState& state, std::uint32_t keyCode) {
    if (keyCode <= 1) repaintWholeWindow(host, state);
}

}  // namespace mirovale
