#pragma once

#include "entry/ResumeProposals.h"

#include <QGroupBox>
#include <array>
#include <string>

class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;
class TaggingEdit;

// Where a field's value now comes from.
enum class FieldSource { Empty, Applied, Tagged };

// The Text Resume dialog's panel: for every field its value now (proposed, tagged by the recruiter,
// or empty), and one button that applies every proposal as if it had been tagged. A proposal is
// only ever applied by that button; until then the dialog's tags and chosen lists stay as the
// recruiter made them, and where the proposals were found is marked in the text. Tagging a field
// by hand replaces its value and sets its proposal aside; so does clearing it.
class ProposalsPanel final : public QGroupBox {
    Q_OBJECT

public:
    explicit ProposalsPanel(QWidget* parent = nullptr);
    ~ProposalsPanel() override;

    // Shows the proposals for the text of `edit`, whose tags and whose lists (SelectedValueLists)
    // the button and the clear buttons then work on.
    void Attach(TaggingEdit* edit, ResumeProposals proposals);
    FieldSource Source(ResumeField field) const { return m_fields[Index(field)].source; }
    // Whether the field's proposal waits to be used.
    bool Pending(ResumeField field) const;

    void UseProposals();
    void ClearField(ResumeField field);
    // The field's value as the resume would be stored, else its proposal while that waits to be
    // used: what the duplicate check looks at. The phone is only ever proposed.
    std::string ValueOrProposal(ResumeField field) const;

signals:
    // Shown again after a tag, a proposal used or a field cleared.
    void FieldsChanged();

private:
    struct Field {
        std::optional<FieldProposal> proposal;
        bool setAside = false; // tagged by hand or cleared since: the proposal no longer counts
        FieldSource source = FieldSource::Empty;
        QWidget* value = nullptr; // a one-line box for one value, a wrapping label for a list
        QLabel* origin = nullptr;
        QToolButton* clear = nullptr;
    };
    static std::size_t Index(ResumeField field) { return static_cast<std::size_t>(field); }
    void AddRow(ResumeField field, const QString& caption, int row);
    void OnTagged(int commandId);
    std::string CurrentValue(ResumeField field) const;
    bool Apply(ResumeField field, const std::string& value);
    void Refresh();
    void ShowValue(ResumeField field, const QString& text, bool pending);
    void MarkFound();

    TaggingEdit* m_edit = nullptr;
    std::array<Field, kResumeFieldCount> m_fields;
    std::array<std::string, 3> m_listsSeen; // the chosen lists as last shown, to tell a new choice
    QPushButton* m_use = nullptr;
};

// Control ids of the panel: the panel, its button, and per field in the panel's order its value,
// where the value comes from and its clear button (the phone has none).
inline constexpr int kProposalsPanel = 2020;
inline constexpr int kUseProposalsButton = 2030;
inline constexpr int kFieldValueBase = 2021;  // 2021 .. 2028
inline constexpr int kClearFieldBase = 2031;  // 2031 .. 2038
inline constexpr int kFieldOriginBase = 2041; // 2041 .. 2048
