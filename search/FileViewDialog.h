#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class FileViewDialog;
}

// "File View": the full text of the resume in EditedResume, read-only.
class FileViewDialog final : public QDialog {
    Q_OBJECT

public:
    explicit FileViewDialog(QWidget* parent);
    ~FileViewDialog() override;

private:
    std::unique_ptr<Ui::FileViewDialog> m_ui;
};
