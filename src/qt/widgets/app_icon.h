#pragma once

#include <QIcon>

namespace mirovale {

// The program's icon, drawn here at the usual sizes: a short train of pulses over a baseline
// on a light tile.
QIcon applicationIcon();

}  // namespace mirovale
