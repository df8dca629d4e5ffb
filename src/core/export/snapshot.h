#pragma once

#include <string>
#include <string_view>

#include "core/host/host.h"

namespace mirovale {

// The file formats a window image is saved in, chosen by the name's extension.
enum class SnapshotFormat : int { None, Bmp, Pcx, Png };

// The format of a file name: its last four characters, ignoring case, are ".bmp", ".pcx" or
// ".png" and something comes before them; None otherwise (nothing is written then).
[[nodiscard]] SnapshotFormat snapshotFormat(std::string_view name);

// What the save dialog of " Save image as..." shows: the title "Snapshot File Name", the types
// "Bitmap Files (*.bmp)" (selected), "PCX Files (*.pcx)" and "PNG Files (*.png)", and the
// extension "bmp" for a name typed without one.
[[nodiscard]] SaveFileRequest snapshotFileRequest();

// Empties szSnapshotFile and asks for the name to save the window image to.
// host           : shows the save dialog
// szSnapshotFile : receives the name the user confirmed
// Returns szSnapshotFile, or nullptr when the user cancelled.
std::string* getSnapshotFileName(Host& host, std::string& szSnapshotFile);

// " Save image as...": copies the client area, then asks for a name, then writes the copy as BMP
// at its own depth, as black-and-white PCX or as PNG as the name's extension says; another
// extension writes nothing and shows nothing. A writer's failure is followed by "Bitmap file is
// not created" (caption "About Bitmap"), "PCX file is not created" (caption "About PCX") or
// "PNG file is not created" (caption "About PNG").
// host           : the window: its client area, the save dialog and the messages
// szSnapshotFile : the name chosen, kept in the program state
// Returns 1, or 0 when the client area could not be copied (nothing was asked or written).
int saveSnapshot(Host& host, std::string& szSnapshotFile);

}  // namespace mirovale
