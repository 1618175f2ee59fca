#include "entry/ResumeInputDialog.h"

#include "entry/DialogKeys.h"
#include "entry/DuplicateHint.h"
#include "entry/EditedResume.h"
#include "entry/EntryRules.h"
#include "entry/OverflowBeep.h"
#include "entry/SelectedValueLists.h"
#include "entry/ValueListDialog.h"
#include "platform/CommandGuard.h"
#include "platform/MessageBox.h"
#include "platform/ModalRun.h"
#include "platform/Text.h"
#include "store/ResumeStore.h"
#include "ui_ResumeInputDialog.h"

#include <QBoxLayout>
#include <cstdlib>

ResumeInputDialog::ResumeInputDialog(QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::ResumeInputDialog>()), m_editing(EditedResume.editing) {
    m_ui->setupUi(this);
    for (std::string_view band : kExperienceBands)
        m_ui->experienceCombo->addItem(ToQt(std::string(band)));
    m_ui->experienceCombo->setCurrentIndex(-1);
    for (QLineEdit* box : {m_ui->nameEdit, m_ui->emailEdit, m_ui->organizationEdit})
        BeepOnOverflow(box);
    TabMovesFocus(m_ui->detailsEdit);
    EnterPressesFocusedButton(this);
    m_ui->activeRadio->setChecked(true);
    // Under the fields: whether the bank already holds the person typed in.
    m_hint = new DuplicateHint(this);
    static_cast<QBoxLayout*>(layout())->insertWidget(2, m_hint);
    if (m_editing)
        SetUpEditMode();
    ConnectButtons();
    for (QLineEdit* box : {m_ui->nameEdit, m_ui->emailEdit, m_ui->organizationEdit})
        connect(box, &QLineEdit::textChanged, this, &ResumeInputDialog::CheckDuplicate);
    CheckDuplicate();
}

void ResumeInputDialog::CheckDuplicate() {
    const std::string name = m_ui->nameEdit->text().toStdString();
    const std::string email = m_ui->emailEdit->text().toStdString();
    const std::string organization = m_ui->organizationEdit->text().toStdString();
    const std::int64_t own = m_editing ? std::atoll(EditedResume.id.c_str()) : 0;
    m_hint->Check({name, email, organization, {}, own});
}

ResumeInputDialog::~ResumeInputDialog() = default;

void ResumeInputDialog::SetUpEditMode() {
    setWindowTitle(QStringLiteral("Edit Your Resume"));
    m_ui->submitButton->setText(QStringLiteral("&Ok"));
    m_ui->closeButton->setText(QStringLiteral("&Cancel"));
    ShowHandedOver(m_ui->nameEdit, EditedResume.name);
    m_ui->nameEdit->setEnabled(false);
    const QString experience = ToQt(EditedResume.experience);
    if (!experience.isEmpty()) {
        for (int index = 0; index < m_ui->experienceCombo->count(); ++index) {
            if (m_ui->experienceCombo->itemText(index).startsWith(experience, Qt::CaseInsensitive)) {
                m_ui->experienceCombo->setCurrentIndex(index);
                break;
            }
        }
    }
    ShowHandedOver(m_ui->emailEdit, EditedResume.email);
    ShowHandedOver(m_ui->organizationEdit, EditedResume.organization);
    if (EditedResume.status == "Hold")
        m_ui->holdRadio->setChecked(true);
    else if (EditedResume.status == "Selected")
        m_ui->selectedRadio->setChecked(true);
    else if (EditedResume.status == "Rejected")
        m_ui->rejectedRadio->setChecked(true);
    m_ui->detailsEdit->setPlainText(ToQt(EditedResume.fullText));
    SelectedValueLists.qualifications = EditedResume.qualifications;
    SelectedValueLists.specializations = EditedResume.specializations;
    SelectedValueLists.locations = EditedResume.locations;
}

// A stored value may be longer than the box takes from the keyboard (a tagged or harvested
// one): the box then grows to hold it, so an edit never cuts it short.
void ResumeInputDialog::ShowHandedOver(QLineEdit* box, const std::string& value) {
    const QString text = ToQt(value);
    if (text.size() > box->maxLength())
        box->setMaxLength(static_cast<int>(text.size()));
    box->setText(text);
}

void ResumeInputDialog::ConnectButtons() {
    connect(m_ui->submitButton, &QPushButton::clicked, this, [this] { RunGuarded([this] { Submit(); }); });
    connect(m_ui->clearButton, &QPushButton::clicked, this, &ResumeInputDialog::Clear);
    connect(m_ui->closeButton, &QPushButton::clicked, this, &ResumeInputDialog::reject);
    connect(m_ui->qualificationButton, &QPushButton::clicked, this,
            [this] { ChooseValues(PickListKind::Qualifications); });
    connect(m_ui->specializationButton, &QPushButton::clicked, this,
            [this] { ChooseValues(PickListKind::Specializations); });
    connect(m_ui->locationButton, &QPushButton::clicked, this,
            [this] { ChooseValues(PickListKind::Locations); });
}

void ResumeInputDialog::Submit() {
    const std::string name = BoxText(m_ui->nameEdit, HandedOver(EditedResume.name));
    if (!MandatoryFieldsPresent(name))
        return;
    // Kept even when a later step stops: the lists are no longer empty for the next try.
    SelectedValueLists.FillEmptyWithNotSpecified();
    const int band = m_ui->experienceCombo->currentIndex();
    const std::string experience = band < 0 ? std::string() : std::string(kExperienceBands[band]);
    const std::string email = BoxText(m_ui->emailEdit, HandedOver(EditedResume.email));
    if (!email.empty() && !IsAcceptableEmail(email)) {
        ShowMessage(kInvalidEmailAddress);
        m_ui->emailEdit->setFocus();
        return;
    }
    const std::string organization = BoxText(m_ui->organizationEdit, HandedOver(EditedResume.organization));
    if (!StoreResume(name, experience, email, organization, CheckedStatus(), FullText()))
        return;
    if (m_editing) {
        EditedResume.changed = true;
        EditedResume.editing = false;
        SelectedValueLists.Clear();
        accept();
    } else {
        ResetForNextResume();
        m_ui->nameEdit->setFocus(); // the next resume is typed at once
    }
}

bool ResumeInputDialog::MandatoryFieldsPresent(const std::string& name) {
    if (!name.empty() && !SelectedValueLists.qualifications.empty())
        return true;
    ShowMessage(kFillMandatoryFields);
    if (name.empty()) {
        m_ui->nameEdit->clear();
        m_ui->nameEdit->setFocus();
    } else {
        m_ui->qualificationButton->setFocus();
    }
    return false;
}

bool ResumeInputDialog::StoreResume(const std::string& name, const std::string& experience,
                                    const std::string& email, const std::string& organization,
                                    const std::string& status, const std::string& fullText) {
    ResumeStore store;
    store.record.name = name;
    store.record.experience = experience;
    store.record.email = email;
    store.record.resumeText = fullText;
    store.record.organization = organization;
    store.record.status = status;
    SelectedValueLists.CopyInto(store.record);
    if (!store.Open()) {
        ShowMessage(kUnableToOpenDatabase);
        return false;
    }
    const bool written = m_editing ? store.UpdateResume(EditedResume.id) : store.AppendResume();
    if (!written) {
        ShowMessage(m_editing ? kUnableToEditDatabase : kUnableToWriteDatabase);
        return false;
    }
    if (!store.Close()) {
        ShowMessage(kUnableToCloseDatabase);
        return false;
    }
    return true;
}

void ResumeInputDialog::ResetForNextResume() {
    m_ui->nameEdit->clear();
    m_ui->emailEdit->clear();
    m_ui->detailsEdit->clear();
    m_ui->organizationEdit->clear();
    m_ui->experienceCombo->setCurrentIndex(-1);
    m_ui->activeRadio->setChecked(true);
    SelectedValueLists.Clear();
}

void ResumeInputDialog::Clear() {
    if (!m_editing) {
        m_ui->nameEdit->clear();
        m_ui->activeRadio->setChecked(true);
    }
    m_ui->experienceCombo->setCurrentIndex(-1);
    m_ui->emailEdit->clear();
    m_ui->detailsEdit->clear();
    m_ui->organizationEdit->clear();
    if (ShowMessage(kClearSelectedValuesQuestion, MessageButtons::YesNo, MessageIcon::Question) ==
        MessageAnswer::Yes)
        SelectedValueLists.Clear();
}

void ResumeInputDialog::reject() {
    SelectedValueLists.Clear();
    EditedResume.editing = false;
    QDialog::reject();
}

void ResumeInputDialog::ChooseValues(PickListKind kind) {
    ValueListDialog choice(this, kind, kChoosingMode);
    RunModal(choice);
}

std::string ResumeInputDialog::CheckedStatus() const {
    return ::CheckedStatus({m_ui->activeRadio, m_ui->holdRadio, m_ui->selectedRadio, m_ui->rejectedRadio});
}

// A handed-over value the user left as shown goes back as its own bytes, so text in another
// encoding than the locale's is not re-encoded by an edit that did not touch it.
std::string ResumeInputDialog::BoxText(const QLineEdit* box, const std::string& handedOver) const {
    if (!handedOver.empty() && box->text() == ToQt(handedOver))
        return TrimmedBytes(handedOver);
    return TrimmedText(box->text());
}

std::string ResumeInputDialog::HandedOver(const std::string& value) const {
    return m_editing ? value : std::string();
}

std::string ResumeInputDialog::FullText() const {
    const QString shown = m_ui->detailsEdit->toPlainText();
    const std::string handedOver = HandedOver(EditedResume.fullText);
    if (!handedOver.empty() && shown == ToQt(handedOver))
        return TrimmedBytes(handedOver);
    return TrimmedText(shown);
}
