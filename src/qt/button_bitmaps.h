#pragma once

#include <QImage>
#include <QString>
#include <array>
#include <optional>

#include "core/host/canvas.h"
#include "core/host/host.h"

namespace mirovale {

// The compiled-in folder of the picture buttons' images.
inline const QString kButtonResourceFolder = QStringLiteral(":/mirovale/buttons");

// The five picture buttons' images, each kButtonWidth x kButtonHeight, in Format_RGB32.
class ButtonImages {
public:
    [[nodiscard]] const QImage& operator[](ButtonBitmap bitmap) const {
        return images_[slot(bitmap)];
    }
    QImage& operator[](ButtonBitmap bitmap) { return images_[slot(bitmap)]; }

private:
    static std::size_t slot(ButtonBitmap bitmap);
    std::array<QImage, 5> images_;
};

// Loads the picture buttons as the window's creation does: Restart, Exit, Next, Select All and
// Unselect All in this order, from the PNG files restart, exit, next, select-all and
// unselect-all of `folder`. The first one missing or unreadable is reported with caption
// "Fatal Error" and the text "No Bitmap <ButtonStart>", "No Bitmap <ButtonExit>",
// "No Bitmap <IDB_BITMAP1>", "No Bitmap <IDB_BITMAP5>" or "No Bitmap <IDB_BITMAP4>"
// respectively, and nothing is returned: the window cannot be made.
[[nodiscard]] std::optional<ButtonImages> loadButtonBitmaps(
    Host& host, const QString& folder = kButtonResourceFolder);

}  // namespace mirovale
