// talvanor-clip: draws the clock clip the harvest shows while it works.
#include "ClockClip.h"

#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication app(argc, argv);
    const bool uncompressed = argc == 3 && std::strcmp(argv[1], "--uncompressed") == 0;
    if (argc != 2 && !uncompressed) {
        std::fprintf(stderr, "usage: talvanor-clip [--uncompressed] <output .avi>\n");
        return 2;
    }
    const char* path = argv[argc - 1];
    const std::string bytes =
        WriteAvi(DrawClockClip(), uncompressed ? ClipCoding::Uncompressed : ClipCoding::Rle8);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) {
        std::fprintf(stderr, "could not write %s\n", path);
        return 1;
    }
    std::printf("wrote %s (%zu bytes)\n", path, bytes.size());
    return 0;
}
