#include "entry/TaggingEdit.h"

#include "entry/EntryRules.h"
#include "entry/ReadableText.h"
#include "entry/SelectionBytes.h"
#include "entry/TaggingMenu.h"
#include "entry/ValueListDialog.h"
#include "platform/MessageBox.h"
#include "platform/ModalRun.h"
#include "platform/Text.h"
#include "store/Vocabulary.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <algorithm>

TaggingEdit::TaggingEdit(QWidget* parent) : QPlainTextEdit(parent) {
    setReadOnly(true);
    // Read-only, yet the user must still be able to select text with mouse and keyboard.
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

TaggingEdit::~TaggingEdit() = default;

void TaggingEdit::ShowBytes(std::string bytes) {
    m_shownBytes = std::move(bytes);
    m_shownText = ReadableText(m_shownBytes);
    setPlainText(m_shownText);
}

void TaggingEdit::LoadTaggingMenu() {
    delete m_menu;
    m_checked.clear();
    m_menu = CreateTaggingMenu(this);
    const auto actions = m_menu->findChildren<QAction*>();
    for (QAction* action : actions) {
        if (action->data().toInt() != 0)
            connect(action, &QAction::triggered, this, [this, action] { OnCommand(action); });
    }
    ShowChecks();
}

QAction* TaggingEdit::MenuAction(int commandId) const {
    if (m_menu == nullptr)
        return nullptr;
    const auto actions = m_menu->findChildren<QAction*>();
    for (QAction* action : actions) {
        if (action->data().toInt() == commandId)
            return action;
    }
    return nullptr;
}

void TaggingEdit::contextMenuEvent(QContextMenuEvent* event) {
    if (m_menu != nullptr)
        m_menu->exec(event->globalPos());
    event->accept();
}

void TaggingEdit::OnCommand(QAction* action) {
    const int commandId = action->data().toInt();
    ShowChecks(); // undo the toggle Qt applied on trigger; the rules below decide
    RunCommand(commandId);
    ShowChecks();
}

void TaggingEdit::RunCommand(int commandId) {
    switch (commandId) {
    case kTagName:
        m_tags.name = SelectionTag();
        SetCheck(kTagName, IsChecked(kTagName) || !m_tags.name.empty());
        return;
    case kTagOrganization:
        m_tags.organization = SelectionTag();
        SetCheck(kTagOrganization, IsChecked(kTagOrganization) || !m_tags.organization.empty());
        return;
    case kTagEmail:
        TagEmail();
        return;
    case kTagQualification:
    case kTagSpecialization:
    case kTagLocation:
        ChooseValues(commandId);
        return;
    default:
        TagExperience(commandId);
    }
}

std::string TaggingEdit::SelectionTag() const {
    const QTextCursor cursor = textCursor();
    QString selected = cursor.selectedText();
    if (selected.isEmpty()) {
        ShowMessage(kNoSelectionFound);
        return {};
    }
    // The file's own bytes where they can be found, so no character is re-encoded.
    if (const auto bytes = SelectedBytes(m_shownBytes, m_shownText, cursor.selectionStart(),
                                         cursor.selectionEnd(), selected))
        return TrimmedBytes(*bytes);
    // The view marks line ends as paragraph separators.
    selected.replace(QChar::ParagraphSeparator, u'\n');
    return TrimmedText(selected);
}

void TaggingEdit::TagEmail() {
    m_tags.email = SelectionTag();
    if (m_tags.email.empty())
        return;
    if (IsAcceptableEmail(m_tags.email)) {
        SetCheck(kTagEmail, true);
    } else {
        ShowMessage(kInvalidEmailAddress);
        m_tags.email.clear();
    }
}

void TaggingEdit::ChooseValues(int commandId) {
    const PickListKind kind = commandId == kTagQualification    ? PickListKind::Qualifications
                              : commandId == kTagSpecialization ? PickListKind::Specializations
                                                                : PickListKind::Locations;
    ValueListDialog choice(window(), kind, kChoosingMode);
    RunModal(choice);
    SetCheck(commandId, true);
}

void TaggingEdit::TagExperience(int commandId) {
    const auto found = std::find(kExperienceCommands.begin(), kExperienceCommands.end(), commandId);
    if (found == kExperienceCommands.end())
        return;
    m_tags.experience = std::string(kExperienceBands[found - kExperienceCommands.begin()]);
    for (int band : kExperienceCommands)
        SetCheck(band, band == commandId);
}

void TaggingEdit::SetCheck(int commandId, bool checked) {
    if (checked)
        m_checked.insert(commandId);
    else
        m_checked.erase(commandId);
}

void TaggingEdit::ShowChecks() {
    if (m_menu == nullptr)
        return;
    const auto actions = m_menu->findChildren<QAction*>();
    for (QAction* action : actions) {
        const int commandId = action->data().toInt();
        if (commandId == 0)
            continue;
        // Only a checked item is checkable, so unchecked items show no empty box.
        action->setCheckable(IsChecked(commandId));
        action->setChecked(IsChecked(commandId));
    }
}
