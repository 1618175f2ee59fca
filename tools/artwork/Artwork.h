#pragma once

#include <QByteArray>
#include <QImage>

QImage DrawPicture();        // 570 x 440, the main window's background
QImage DrawToolbarStrip();   // 320 x 32, ten 32 x 32 command images side by side
QImage DrawEmblem(int size); // the program's mark: icon and About logo
QByteArray DrawEmblemSvg();  // the same mark as a scalable icon
