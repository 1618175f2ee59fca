#pragma once

class DuplicateHint;

#include "store/Vocabulary.h"

#include <QDialog>
#include <memory>
#include <string>

namespace Ui {
class ResumeInputDialog;
}
class QLineEdit;

inline constexpr const char* kFillMandatoryFields = "Please fill the mandatory fields";
inline constexpr const char* kUnableToEditDatabase = "Unable to Edit in  the database";
inline constexpr const char* kClearSelectedValuesQuestion =
    "Would you  like to clear the selected values( If Any ) for Qualification,Specialization and Location "
    "Preferences also ?";

// The "Resume Input Form". Opens in edit mode on the resume in EditedResume when its editing
// flag is set, else in new mode, where it takes one resume after another until closed.
class ResumeInputDialog : public QDialog {
    Q_OBJECT

public:
    explicit ResumeInputDialog(QWidget* parent);
    ~ResumeInputDialog() override;

    // Close, Escape and the close box: nothing is written.
    void reject() override;

private:
    void SetUpEditMode();
    static void ShowHandedOver(QLineEdit* box, const std::string& value);
    void ConnectButtons();
    void Submit();
    bool MandatoryFieldsPresent(const std::string& name);
    bool StoreResume(const std::string& name, const std::string& experience, const std::string& email,
                     const std::string& organization, const std::string& status, const std::string& fullText);
    void ResetForNextResume();
    void Clear();
    void ChooseValues(PickListKind kind);
    std::string CheckedStatus() const;
    std::string BoxText(const QLineEdit* box, const std::string& handedOver) const;
    std::string HandedOver(const std::string& value) const; // empty in new mode
    std::string FullText() const;

    void CheckDuplicate();

    std::unique_ptr<Ui::ResumeInputDialog> m_ui;
    bool m_editing;
    DuplicateHint* m_hint;
};
