#pragma once

#include <QString>

// Images of the program, compiled in; every path below is valid once LoadAppResources ran.
inline const QString kPicturePath = QStringLiteral(":/images/picture.png");
inline const QString kToolbarStripPath = QStringLiteral(":/images/toolbar.png");
inline const QString kIconPath = QStringLiteral(":/images/talvanor-256.png");
// The smaller sizes are drawn for their size (title bars, task lists), not scaled down.
inline const QString kSmallIconPaths[] = {QStringLiteral(":/images/talvanor-48.png"),
                                          QStringLiteral(":/images/talvanor-32.png"),
                                          QStringLiteral(":/images/talvanor-16.png")};

// The images live in a static library, so they must be registered by hand before first use.
void LoadAppResources();
