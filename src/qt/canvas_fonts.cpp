#include "qt/canvas_fonts.h"

#include <QFile>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QStringList>

namespace mirovale {
namespace {

// Where distributions install DejaVu Sans.
constexpr const char* kDejaVuSansPaths[] = {
    "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",    // Debian, Ubuntu
    "/usr/share/fonts/dejavu-sans-fonts/DejaVuSans.ttf",  // Fedora
    "/usr/share/fonts/dejavu/DejaVuSans.ttf",
    "/usr/share/fonts/TTF/DejaVuSans.ttf",  // Arch
};

QString loadDejaVuSans() {
    for (const char* path : kDejaVuSansPaths) {
        if (!QFile::exists(QString::fromLatin1(path))) continue;
        const int id = QFontDatabase::addApplicationFont(QString::fromLatin1(path));
        const QStringList families = QFontDatabase::applicationFontFamilies(id);
        if (!families.isEmpty()) return families.front();
    }
    return {};
}

QFont fontOfPixelSize(const QString& family, int pixelSize) {
    QFont font(family);
    font.setPixelSize(pixelSize);
    font.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::NoFontMerging));
    font.setHintingPreference(QFont::PreferFullHinting);
    font.setKerning(false);
    return font;
}

CanvasFont canvasFont(const QFont& font) {
    const QFontMetrics m(font);
    return {font, {m.height(), m.leading(), m.averageCharWidth()}, m.ascent()};
}

// Whether a font of this pixel size is still small enough for the request.
bool fits(const CanvasFont& f, int height) {
    if (height == 0) return f.metrics.height + f.metrics.externalLeading - 1 <= kWindowLineHeight;
    return f.metrics.height <= height;
}

constexpr char16_t kGreekSmall[26] = {u'α', u'β', u'χ', u'δ', u'ε', u'φ', u'γ', u'η', u'ι',
                                      u'ϕ', u'κ', u'λ', u'μ', u'ν', u'ο', u'π', u'θ', u'ρ',
                                      u'σ', u'τ', u'υ', u'ϖ', u'ω', u'ξ', u'ψ', u'ζ'};
constexpr char16_t kGreekCapital[26] = {u'Α', u'Β', u'Χ', u'Δ', u'Ε', u'Φ', u'Γ', u'Η', u'Ι',
                                        u'ϑ', u'Κ', u'Λ', u'Μ', u'Ν', u'Ο', u'Π', u'Θ', u'Ρ',
                                        u'Σ', u'Τ', u'Υ', u'ς', u'Ω', u'Ξ', u'Ψ', u'Ζ'};

}  // namespace

QString dejaVuSansFamily() {
    static const QString family = loadDejaVuSans();
    return family;
}

CanvasFont makeCanvasFont(const QString& family, Font font) {
    const int height = font.height < 0 ? -font.height : font.height;
    // Font heights grow with the pixel size: find the largest size that fits by bisection.
    int low = 1;  // the smallest size is taken when none fits
    int high = height == 0 ? 4 * kWindowLineHeight : height;
    while (low < high) {
        const int middle = (low + high + 1) / 2;
        if (fits(canvasFont(fontOfPixelSize(family, middle)), height))
            low = middle;
        else
            high = middle - 1;
    }
    return canvasFont(fontOfPixelSize(family, low));
}

const CanvasFont& CanvasFontCache::get(Font font) {
    const auto key = std::make_pair(static_cast<int>(font.face), font.height);
    auto it = fonts_.find(key);
    if (it == fonts_.end()) it = fonts_.emplace(key, makeCanvasFont(family_, font)).first;
    return it->second;
}

QString faceText(FontFace face, std::string_view utf8) {
    QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    if (face != FontFace::Symbol) return text;
    for (QChar& c : text) {
        const char16_t u = c.unicode();
        if (u >= u'a' && u <= u'z')
            c = QChar(kGreekSmall[u - u'a']);
        else if (u >= u'A' && u <= u'Z')
            c = QChar(kGreekCapital[u - u'A']);
    }
    return text;
}

}  // namespace mirovale
