#pragma once

#include "store/Vocabulary.h"

#include <QPlainTextEdit>
#include <cstddef>
#include <set>
#include <string>
#include <utility>
#include <vector>

class QAction;
class QMenu;

// What the user has tagged in the shown text; each starts empty.
struct ResumeTags {
    std::string name;
    std::string experience;
    std::string email;
    std::string organization;
};

inline constexpr const char* kNoSelectionFound = "no selection was found";

// The read-only text of a resume file whose right-click menu is the tagging menu: the user
// selects words and tags them as a field, or chooses list values for the resume.
class TaggingEdit : public QPlainTextEdit {
    Q_OBJECT

public:
    explicit TaggingEdit(QWidget* parent = nullptr);
    ~TaggingEdit() override;

    // Shows 8-bit text readably (ReadableText); tags are then cut from these bytes.
    void ShowBytes(std::string bytes);
    // Gives the edit a fresh tagging menu; until then it shows no menu at all.
    void LoadTaggingMenu();
    QMenu* TaggingMenu() const { return m_menu; }
    QAction* MenuAction(int commandId) const;
    bool IsChecked(int commandId) const { return m_checked.count(commandId) != 0; }
    const ResumeTags& Tags() const { return m_tags; }

    // Tags a field with a value found elsewhere than in the selection (a proposal), as tagging the
    // selection would: trimmed, the e-mail rule applied, the check mark set. Experience takes one of
    // the bands. Shows no message; false when the value was refused, and then nothing changed.
    bool TagWith(int commandId, const std::string& value);
    // Empties a field's tag (every experience item for experience) and clears its check mark.
    void ClearTag(int commandId);
    // Checks an item as choosing its list does.
    void CheckItem(int commandId);
    // The choice of this list opens with the values chosen so far already selected.
    void PreselectChoice(PickListKind kind, bool preselect);
    // The view's range (start, end) of a byte range of the shown bytes.
    std::pair<int, int> ViewRange(std::size_t offset, std::size_t length) const;

signals:
    // A tagging menu command has run.
    void Tagged(int commandId);

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void OnCommand(QAction* action);
    void RunCommand(int commandId);
    std::string SelectionTag() const;
    void TagEmail();
    void ChooseValues(int commandId);
    void TagExperience(int commandId);
    void SetCheck(int commandId, bool checked);
    void ShowChecks();

    QMenu* m_menu = nullptr;
    ResumeTags m_tags;
    std::string m_shownBytes;
    QString m_shownText;
    std::set<int> m_checked; // the menu's check marks, kept here so a trigger never toggles them
    std::set<PickListKind> m_preselected;
    mutable std::vector<std::size_t> m_starts; // byte offset of each shown character, when asked for
    mutable std::vector<qsizetype> m_lineEnds; // where the shown text has "\r\n", which the view counts once
};
