// Renders an SVG picture to PNG files, used by the build to make the
// application icon in the sizes desktop menus ask for, and by the tests to
// prove that every compiled-in picture parses and has the size its button
// or menu expects.
//
//   bxl-svg-render render <in.svg> <size> <out.png>
//       Draws the picture scaled into a transparent size x size square,
//       centred, keeping its proportions.
//   bxl-svg-render check <width> <height> <in.svg>...
//       Fails unless every picture parses, has exactly that view box and
//       leaves some visible pixel when drawn.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

QImage draw(QSvgRenderer& renderer, int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QSizeF box = renderer.viewBoxF().size();
    box.scale(width, height, Qt::KeepAspectRatio);
    QRectF target((width - box.width()) / 2.0, (height - box.height()) / 2.0, box.width(), box.height());
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, target);
    painter.end();
    return image;
}

bool hasInk(const QImage& image) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) != 0) return true;
    return false;
}

int render(const char* in, int size, const char* out) {
    QSvgRenderer renderer(QString::fromLocal8Bit(in));
    if (!renderer.isValid()) {
        std::fprintf(stderr, "%s: not a readable SVG picture\n", in);
        return 1;
    }
    if (!draw(renderer, size, size).save(QString::fromLocal8Bit(out), "PNG")) {
        std::fprintf(stderr, "%s: cannot write\n", out);
        return 1;
    }
    return 0;
}

int check(int width, int height, int count, char** files) {
    int failures = 0;
    for (int i = 0; i < count; ++i) {
        QSvgRenderer renderer(QString::fromLocal8Bit(files[i]));
        const QRectF box = renderer.viewBoxF();
        if (!renderer.isValid()) {
            std::fprintf(stderr, "%s: not a readable SVG picture\n", files[i]);
            ++failures;
        } else if (box != QRectF(0, 0, width, height)) {
            std::fprintf(stderr, "%s: view box %gx%g at %g,%g, expected %dx%d at 0,0\n", files[i],
                         box.width(), box.height(), box.x(), box.y(), width, height);
            ++failures;
        } else if (!hasInk(draw(renderer, width, height))) {
            std::fprintf(stderr, "%s: draws nothing\n", files[i]);
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}

int usage() {
    std::fprintf(stderr,
                 "usage: bxl-svg-render render <in.svg> <size> <out.png>\n"
                 "       bxl-svg-render check <width> <height> <in.svg>...\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    // No window is ever shown; the offscreen platform keeps the build free of
    // any display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "render" && argc == 5) {
        const int size = std::atoi(argv[3]);
        if (size <= 0) return usage();
        return render(argv[2], size, argv[4]);
    }
    if (mode == "check" && argc >= 5) {
        const int width = std::atoi(argv[2]);
        const int height = std::atoi(argv[3]);
        if (width <= 0 || height <= 0) return usage();
        return check(width, height, argc - 4, argv + 4);
    }
    return usage();
}
