#include "entry/ValueListDialog.h"

#include "entry/EditedResume.h"
#include "entry/PickListText.h"
#include "entry/SelectedValueLists.h"
#include "platform/CommandGuard.h"
#include "platform/MessageBox.h"
#include "platform/Text.h"
#include "store/ResumeStore.h"
#include "store/ValueList.h"
#include "ui_ValueListDialog.h"

#include <algorithm>
#include <iterator>

namespace {

QString KindLabel(PickListKind kind) {
    switch (kind) {
    case PickListKind::Specializations:
        return QStringLiteral("Specializations:");
    case PickListKind::Locations:
        return QStringLiteral("Location Preferences:");
    case PickListKind::Qualifications:
        break;
    }
    return QStringLiteral("Qualifications:");
}

std::string LoadPickList(PickListKind kind) {
    std::string lists[3];
    RunGuarded([&] {
        ResumeStore store;
        store.Open();
        store.LoadPickList(lists[0], lists[1], lists[2]);
        store.Close();
    });
    return lists[static_cast<int>(kind) - 1];
}

} // namespace

ValueListDialog::ValueListDialog(QWidget* parent, PickListKind kind, std::string_view modeWord,
                                 bool preselect)
    : QDialog(parent), m_ui(std::make_unique<Ui::ValueListDialog>()), m_kind(kind),
      m_choosing(modeWord == kChoosingMode) {
    m_ui->setupUi(this);
    m_ui->kindLabel->setText(KindLabel(kind));
    LoadValues();
    if (m_choosing)
        SetUpChoosing(preselect);
    else
        SetUpListEditing();
    connect(m_ui->addButton, &QPushButton::clicked, this, &ValueListDialog::OnDefaultButton);
    connect(m_ui->deleteButton, &QPushButton::clicked, this, &ValueListDialog::OnSecondButton);
    connect(m_ui->closeButton, &QPushButton::clicked, this, &ValueListDialog::OnThirdButton);
    // Connected after any preselection: only the user's changes of the selection count.
    connect(m_ui->valueList, &QListWidget::itemSelectionChanged, this,
            [this] { m_ui->deleteButton->setEnabled(true); });
}

ValueListDialog::~ValueListDialog() = default;

void ValueListDialog::LoadValues() {
    for (const QString& value : PickListValues(LoadPickList(m_kind)))
        InsertSorted(value);
}

void ValueListDialog::SetUpChoosing(bool preselect) {
    if (EditedResume.editing || preselect)
        PreselectFromChoice();
    m_ui->addButton->setText(QStringLiteral("&OK"));
    m_ui->deleteButton->setText(QStringLiteral("&Reset"));
    m_ui->closeButton->setText(QStringLiteral("&Cancel"));
    m_ui->valueEdit->hide();
    setWindowTitle(QStringLiteral("Select"));
}

void ValueListDialog::PreselectFromChoice() {
    // A chosen value selects the first item it begins, so a value that was cut short still
    // finds its item.
    for (const std::string& piece : CutValueList(SelectedValueLists.Of(m_kind), false)) {
        const QString prefix = ToQt(piece);
        for (int row = 0; row < m_ui->valueList->count(); ++row) {
            QListWidgetItem* item = m_ui->valueList->item(row);
            if (item->text().startsWith(prefix, Qt::CaseInsensitive)) {
                item->setSelected(true);
                m_chosenBefore.push_back(item);
                break;
            }
        }
    }
    // The pieces came from the right end; a value chosen twice counts where it comes first.
    std::reverse(m_chosenBefore.begin(), m_chosenBefore.end());
    for (auto item = m_chosenBefore.begin(); item != m_chosenBefore.end(); ++item)
        m_chosenBefore.erase(std::remove(std::next(item), m_chosenBefore.end(), *item), m_chosenBefore.end());
}

void ValueListDialog::SetUpListEditing() {
    m_ui->addButton->setEnabled(false);
    connect(m_ui->valueEdit, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_ui->addButton->setEnabled(!text.isEmpty()); });
}

void ValueListDialog::OnDefaultButton() {
    if (m_choosing)
        Choose();
    else
        AddTypedValues();
}

void ValueListDialog::OnSecondButton() {
    if (m_choosing)
        ResetChoice();
    else
        DeleteCurrent();
}

void ValueListDialog::OnThirdButton() {
    if (m_choosing)
        reject();
    else
        SaveAndClose();
}

void ValueListDialog::Choose() {
    // Values chosen before keep their order among themselves, so that an Edit adding or removing
    // one does not reorder the others; the new ones come in list order.
    std::vector<const QListWidgetItem*> kept;
    std::copy_if(m_chosenBefore.begin(), m_chosenBefore.end(), std::back_inserter(kept),
                 [](const QListWidgetItem* item) { return item->isSelected(); });
    auto nextKept = kept.begin();
    std::string& choice = SelectedValueLists.Of(m_kind);
    choice.clear();
    for (int row = 0; row < m_ui->valueList->count(); ++row) {
        const QListWidgetItem* item = m_ui->valueList->item(row);
        if (!item->isSelected())
            continue;
        const bool before = std::find(kept.begin(), kept.end(), item) != kept.end();
        choice += FromQt((before ? *nextKept++ : item)->text()) + ",";
    }
    if (choice.empty())
        ShowMessage(kNoValueSelected);
    accept();
}

void ValueListDialog::ResetChoice() {
    m_ui->valueList->clearSelection();
    m_chosenBefore.clear();
    SelectedValueLists.Of(m_kind).clear();
    m_ui->closeButton->setFocus();
    m_ui->deleteButton->setEnabled(false);
}

void ValueListDialog::AddTypedValues() {
    // A value cannot hold a comma: the saved list would cut it in two at the next opening.
    // Typed commas therefore separate values here, so the list shows what will come back.
    const QString typed = m_ui->valueEdit->text().trimmed();
    for (const QString& piece : typed.split(u',')) {
        const QString value = piece.trimmed();
        if (value.isEmpty())
            continue;
        if (HoldsIgnoringCase(value))
            ShowMessage(kCannotAddAlreadyThere);
        else
            InsertSorted(value);
    }
    m_ui->valueEdit->clear();
}

void ValueListDialog::DeleteCurrent() {
    if (ShowMessage(kConfirmDeleteItem, MessageButtons::YesNo, MessageIcon::Question) != MessageAnswer::Yes)
        return;
    delete m_ui->valueList->currentItem();
    m_ui->closeButton->setFocus();
    m_ui->deleteButton->setEnabled(false);
}

void ValueListDialog::SaveAndClose() {
    QStringList values;
    for (int row = 0; row < m_ui->valueList->count(); ++row)
        values.append(m_ui->valueList->item(row)->text());
    const std::string pickList = JoinPickList(values);
    const bool done = RunGuarded([&] {
        ResumeStore store;
        store.Open();
        store.SavePickList(m_kind, pickList);
        store.Close();
    });
    if (done)
        accept();
}

void ValueListDialog::InsertSorted(const QString& value) {
    // The list keeps its items sorted ignoring case; equal items keep their arrival order.
    int row = 0;
    while (row < m_ui->valueList->count() &&
           QString::compare(m_ui->valueList->item(row)->text(), value, Qt::CaseInsensitive) <= 0)
        ++row;
    m_ui->valueList->insertItem(row, value);
}

bool ValueListDialog::HoldsIgnoringCase(const QString& value) const {
    for (int row = 0; row < m_ui->valueList->count(); ++row) {
        if (QString::compare(m_ui->valueList->item(row)->text(), value, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}
