// render-icon SVG SIZE PNG: renders the program's icon at SIZE x SIZE pixels
// for the hicolor theme's fixed sizes. Run by the build, never installed.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: render-icon SVG SIZE PNG\n");
        return 2;
    }
    // Rendering needs no screen; the offscreen platform keeps the build
    // independent of a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString svg = QString::fromLocal8Bit(argv[1]);
    const QString png = QString::fromLocal8Bit(argv[3]);
    const int size = std::atoi(argv[2]);
    if (size < 1 || size > 4096) {
        std::fprintf(stderr, "render-icon: bad size %s\n", argv[2]);
        return 2;
    }
    QSvgRenderer renderer(svg);
    if (!renderer.isValid()) {
        std::fprintf(stderr, "render-icon: %s is not a readable SVG file\n", argv[1]);
        return 1;
    }
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        renderer.render(&p);
    }
    if (!image.save(png, "PNG")) {
        std::fprintf(stderr, "render-icon: cannot write %s\n", argv[3]);
        return 1;
    }
    return 0;
}
