#pragma once

#include "store/Vocabulary.h"

#include <QDialog>
#include <memory>
#include <string_view>
#include <vector>

class QListWidgetItem;

namespace Ui {
class ValueListDialog;
}

// The mode words the dialog is opened with.
inline constexpr std::string_view kChoosingMode = "TEXT";    // choose values into SelectedValueLists
inline constexpr std::string_view kListEditingMode = "MENU"; // add and delete values of a pick list

inline constexpr const char* kNoValueSelected = "You have not selected any value for this field";
inline constexpr const char* kCannotAddAlreadyThere = "Cannot add, Already there";
inline constexpr const char* kConfirmDeleteItem = "Are you sure you want to delete this item?";

// One pick list, either to choose values from for the resume being entered, or to edit and
// save. Loads the pick lists afresh on every opening.
class ValueListDialog : public QDialog {
    Q_OBJECT

public:
    // `preselect`: in choosing mode, the values chosen so far come up selected, as they do while a
    // resume is edited.
    ValueListDialog(QWidget* parent, PickListKind kind, std::string_view modeWord, bool preselect = false);
    ~ValueListDialog() override;

    // Opened to choose values for a resume (else to edit a pick list).
    bool Choosing() const { return m_choosing; }

private:
    void LoadValues();
    void SetUpChoosing(bool preselect);
    void PreselectFromChoice();
    void SetUpListEditing();
    void OnDefaultButton();
    void OnSecondButton();
    void OnThirdButton();
    void Choose();
    void ResetChoice();
    void AddTypedValues();
    void DeleteCurrent();
    void SaveAndClose();
    void InsertSorted(const QString& value);
    bool HoldsIgnoringCase(const QString& value) const;

    std::unique_ptr<Ui::ValueListDialog> m_ui;
    PickListKind m_kind;
    bool m_choosing;
    std::vector<const QListWidgetItem*> m_chosenBefore; // preselected, in the order of the choice
};
