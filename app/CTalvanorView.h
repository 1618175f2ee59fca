#pragma once

#include "app/AppResources.h"

#include <QPixmap>
#include <QWidget>
#include <cstdint>

class QPrinter;

// Fills the main window with the background picture, stretched to the whole area.
class CTalvanorView : public QWidget {
    Q_OBJECT

public:
    explicit CTalvanorView(QWidget* parent = nullptr, const QString& picturePath = kPicturePath);

    // Draws the picture stretched to exactly the target rectangle; loads it on first use.
    void OnDraw(QPainter& painter, const QRect& target);

    const QPixmap& Picture() const { return m_picture; }
    std::int32_t PictureHeight() const { return m_pictureHeight; }
    std::int32_t PictureWidth() const { return m_pictureWidth; }

    void OnFilePrint();       // with the print dialog
    void OnFilePrintDirect(); // on the default printer
    void OnFilePrintPreview();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void PrintOn(QPrinter& printer);

    QPixmap m_picture;
    std::int32_t m_pictureHeight = 0;
    std::int32_t m_pictureWidth = 0;
    QString m_picturePath;
};
