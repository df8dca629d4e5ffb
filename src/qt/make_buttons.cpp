// Draws the five picture buttons as raised grey buttons with their words in black, crisp and
// without smoothing, and writes them as PNG files into the folder given. scripts/make-buttons
// runs it; the files are committed under resources/buttons and compiled in.
#include <QDir>
#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>

#include "core/display/layout.h"
#include "qt/gui_application.h"
#include "qt/png_file.h"

namespace {

struct Button {
    const char* file;
    const char* word;
};

constexpr Button kButtons[] = {
    {"next.png", "Next"},
    {"exit.png", "Exit"},
    {"restart.png", "Restart"},
    {"select-all.png", "Select All"},
    {"unselect-all.png", "Unselect All"},
};

QImage drawButton(const char* word, const QFont& font) {
    const int w = mirovale::kButtonWidth;
    const int h = mirovale::kButtonHeight;
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(QColor(192, 192, 192));
    QPainter p(&image);
    p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing, false);
    // Two bevels: light above and left, dark below and right.
    const QColor outerLight(255, 255, 255), innerLight(223, 223, 223);
    const QColor outerDark(0, 0, 0), innerDark(128, 128, 128);
    p.fillRect(0, 0, w, 1, outerLight);
    p.fillRect(0, 0, 1, h, outerLight);
    p.fillRect(1, 1, w - 2, 1, innerLight);
    p.fillRect(1, 1, 1, h - 2, innerLight);
    p.fillRect(0, h - 1, w, 1, outerDark);
    p.fillRect(w - 1, 0, 1, h, outerDark);
    p.fillRect(1, h - 2, w - 2, 1, innerDark);
    p.fillRect(w - 2, 1, 1, h - 2, innerDark);
    p.setFont(font);
    p.setPen(Qt::black);
    p.drawText(QRect(2, 2, w - 4, h - 4), Qt::AlignCenter, QString::fromLatin1(word));
    return image;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: mirovale-make-buttons FOLDER\n");
        return 2;
    }
    const auto application = mirovale::makeHeadlessApplication(argv[0]);
    const int id = QFontDatabase::addApplicationFont(
        QStringLiteral("/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"));
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    if (families.isEmpty()) {
        std::fprintf(stderr, "mirovale-make-buttons: DejaVu Sans Bold not found\n");
        return 1;
    }
    QFont font(families.front());
    font.setBold(true);
    font.setPixelSize(15);
    font.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::NoFontMerging));
    font.setHintingPreference(QFont::PreferFullHinting);
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    for (const Button& b : kButtons) {
        const QString path = folder.filePath(QString::fromLatin1(b.file));
        if (!mirovale::writePngFile(drawButton(b.word, font), path)) {
            std::fprintf(stderr, "mirovale-make-buttons: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
