#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <cstdlib>
#include <gtest/gtest.h>

// Every test process gets its own data and settings folders, so no test ever touches the user's
// bank or settings.
int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QTemporaryDir dataHome(QDir::tempPath() + QStringLiteral("/talvanor-test-XXXXXX"));
    if (!dataHome.isValid())
        return 2;
    setenv("XDG_DATA_HOME", dataHome.path().toLocal8Bit().constData(), 1);
    // Qt's file chooser keeps its history there: not in the user's settings, not between tests.
    setenv("XDG_CONFIG_HOME", dataHome.path().toLocal8Bit().constData(), 1);
    if (std::getenv("XDG_RUNTIME_DIR") == nullptr) // quiets Qt's warning on bare machines
        setenv("XDG_RUNTIME_DIR", dataHome.path().toLocal8Bit().constData(), 1);

    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
