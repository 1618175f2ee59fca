#include "app/CTalvanorApp.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("talvanor"));
    QApplication::setDesktopFileName(QStringLiteral("talvanor"));
    // The menus are text only; the pictures belong to the toolbar.
    QApplication::setAttribute(Qt::AA_DontShowIconsInMenus);
    CTalvanorApp talvanor;
    if (!talvanor.InitInstance(QApplication::arguments().mid(1)))
        return 1;
    return QApplication::exec();
}
