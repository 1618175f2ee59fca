#pragma once

#include <QPlainTextEdit>
#include <set>
#include <string>

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
};
