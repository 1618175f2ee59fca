#include "app/CTalvanorView.h"

#include "platform/ModalRun.h"

#include <QDialogButtonBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>

CTalvanorView::CTalvanorView(QWidget* parent, const QString& picturePath)
    : QWidget(parent), m_picturePath(picturePath) {
    LoadAppResources();
    // The picture covers every pixel, so nothing needs clearing first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CTalvanorView::OnDraw(QPainter& painter, const QRect& target) {
    if (m_picture.isNull() && m_picture.load(m_picturePath)) {
        m_pictureWidth = m_picture.width();
        m_pictureHeight = m_picture.height();
    }
    // Stretched to the target whatever its shape; smoothing keeps the enlarged picture calm.
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(target, m_picture, m_picture.rect());
}

void CTalvanorView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    OnDraw(painter, rect());
}

void CTalvanorView::PrintOn(QPrinter& printer) {
    QPainter painter(&printer);
    // On paper the picture keeps the shape it has on screen, as large as the page allows.
    const QRect page = painter.viewport();
    const QSize shown = size().isEmpty() ? page.size() : size().scaled(page.size(), Qt::KeepAspectRatio);
    OnDraw(painter, QRect(page.topLeft(), shown));
}

void CTalvanorView::OnFilePrint() {
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, this);
    // No menu item or key leads to the preview, so the print dialog offers it.
    constexpr int kPreviewChosen = QDialog::Accepted + 1;
    if (auto* buttons = dialog.findChild<QDialogButtonBox*>()) {
        QPushButton* preview = buttons->addButton(tr("Print Pre&view"), QDialogButtonBox::ActionRole);
        preview->setObjectName(QStringLiteral("previewButton"));
        connect(preview, &QPushButton::clicked, &dialog, [&dialog] { dialog.done(kPreviewChosen); });
    }
    const int result = RunModal(dialog);
    if (result == QDialog::Accepted)
        PrintOn(printer);
    else if (result == kPreviewChosen)
        OnFilePrintPreview();
}

void CTalvanorView::OnFilePrintDirect() {
    QPrinter printer(QPrinter::HighResolution);
    PrintOn(printer);
}

void CTalvanorView::OnFilePrintPreview() {
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewDialog preview(&printer, this);
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* shown) { PrintOn(*shown); });
    RunModal(preview);
}
