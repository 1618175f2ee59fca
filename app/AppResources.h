#pragma once

#include <QString>

// Images of the program, compiled in; every path below is valid once LoadAppResources ran.
inline const QString kPicturePath = QStringLiteral(":/images/picture.png");
inline const QString kToolbarStripPath = QStringLiteral(":/images/toolbar.png");
inline const QString kIconPath = QStringLiteral(":/images/talvanor-256.png");
inline const QString kSmallIconPath = QStringLiteral(":/images/talvanor-48.png");

// The images live in a static library, so they must be registered by hand before first use.
void LoadAppResources();
