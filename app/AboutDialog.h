#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class AboutDialog;
}
class CHyperLink;

// The About box: name, version, the owner's notices, the logo and the link to our web page.
class AboutDialog : public QDialog {
    Q_OBJECT

public:
    explicit AboutDialog(QWidget* parent = nullptr);
    ~AboutDialog() override;

    CHyperLink& Link();

protected:
    void showEvent(QShowEvent* event) override;

private:
    std::unique_ptr<Ui::AboutDialog> m_ui;
};
