#include "qt/button_bitmaps.h"

namespace mirovale {
namespace {

struct ButtonFile {
    ButtonBitmap bitmap;
    const char* file;
    const char* resourceName;  // as the message names it
};

// In the order the window's creation loads them.
constexpr ButtonFile kButtonFiles[] = {
    {ButtonBitmap::Restart, "restart.png", "ButtonStart"},
    {ButtonBitmap::Exit, "exit.png", "ButtonExit"},
    {ButtonBitmap::Next, "next.png", "IDB_BITMAP1"},
    {ButtonBitmap::SelectAll, "select-all.png", "IDB_BITMAP5"},
    {ButtonBitmap::UnselectAll, "unselect-all.png", "IDB_BITMAP4"},
};

}  // namespace

std::size_t ButtonImages::slot(ButtonBitmap bitmap) {
    switch (bitmap) {
        case ButtonBitmap::Next:
            return 0;
        case ButtonBitmap::Exit:
            return 1;
        case ButtonBitmap::Restart:
            return 2;
        case ButtonBitmap::UnselectAll:
            return 3;
        case ButtonBitmap::SelectAll:
            return 4;
    }
    return 0;
}

std::optional<ButtonImages> loadButtonBitmaps(Host& host, const QString& folder) {
    ButtonImages images;
    for (const ButtonFile& b : kButtonFiles) {
        QImage image(folder + u'/' + QString::fromLatin1(b.file));
        if (image.isNull()) {
            host.messageBox(std::string("No Bitmap <") + b.resourceName + ">", "Fatal Error",
                            MessageIcon::None);
            return std::nullopt;
        }
        images[b.bitmap] = image.convertToFormat(QImage::Format_RGB32);
    }
    return images;
}

}  // namespace mirovale
