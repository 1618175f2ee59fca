#include "Artwork.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>

namespace {

bool Save(const QImage& image, const QDir& folder, const char* name) {
    const bool saved = image.save(folder.filePath(QString::fromLatin1(name)));
    std::fprintf(saved ? stdout : stderr, "%s %s\n", saved ? "wrote" : "could not write", name);
    return saved;
}

bool SaveText(const QByteArray& text, const QDir& folder, const char* name) {
    QFile file(folder.filePath(QString::fromLatin1(name)));
    const bool saved =
        file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(text) == text.size();
    std::fprintf(saved ? stdout : stderr, "%s %s\n", saved ? "wrote" : "could not write", name);
    return saved;
}

} // namespace

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: talvanor-artwork <output folder>\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.exists() && !QDir().mkpath(folder.path()))
        return 1;
    bool ok = Save(DrawPicture(), folder, "picture.png");
    ok = Save(DrawToolbarStrip(), folder, "toolbar.png") && ok;
    // The icon at every size the desktop's icon theme looks for, and scalable.
    for (int size : {16, 32, 48, 64, 128, 256}) {
        const QByteArray name = "talvanor-" + QByteArray::number(size) + ".png";
        ok = Save(DrawEmblem(size), folder, name.constData()) && ok;
    }
    ok = SaveText(DrawEmblemSvg(), folder, "talvanor.svg") && ok;
    ok = Save(DrawEmblem(96), folder, "about-logo.png") && ok;
    return ok ? 0 : 1;
}
