// compare-images GOT WANT: exit status 0 when the two pictures have the same size and pixels,
// 1 with the first difference on standard output when they do not, 2 when one cannot be read.
#include <QImage>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: compare-images GOT WANT\n");
        return 2;
    }
    const QImage got =
        QImage(QString::fromLocal8Bit(argv[1])).convertToFormat(QImage::Format_RGB32);
    const QImage want =
        QImage(QString::fromLocal8Bit(argv[2])).convertToFormat(QImage::Format_RGB32);
    if (got.isNull() || want.isNull()) {
        std::printf("cannot read %s\n", argv[got.isNull() ? 1 : 2]);
        return 2;
    }
    if (got.size() != want.size()) {
        std::printf("size %d x %d, expected %d x %d\n", got.width(), got.height(), want.width(),
                    want.height());
        return 1;
    }
    long long differing = 0;
    int firstX = -1, firstY = -1;
    for (int y = 0; y < got.height(); ++y)
        for (int x = 0; x < got.width(); ++x)
            if (got.pixel(x, y) != want.pixel(x, y) && differing++ == 0) {
                firstX = x;
                firstY = y;
            }
    if (differing == 0) return 0;
    std::printf("%lld pixels differ, the first at %d,%d (%06x, expected %06x)\n", differing, firstX,
                firstY, got.pixel(firstX, firstY) & 0xffffffu,
                want.pixel(firstX, firstY) & 0xffffffu);
    return 1;
}
