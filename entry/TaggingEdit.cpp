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
    m_starts.clear();
    m_lineEnds.clear();
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
    emit Tagged(commandId);
}

bool TaggingEdit::TagWith(int commandId, const std::string& value) {
    const std::string tag = TrimmedTag(value);
    const auto band = std::find(kExperienceBands.begin(), kExperienceBands.end(), tag);
    switch (commandId) {
    case kTagName:
    case kTagOrganization:
        if (tag.empty())
            return false;
        (commandId == kTagName ? m_tags.name : m_tags.organization) = tag;
        break;
    case kTagEmail:
        if (tag.empty() || !IsAcceptableEmail(tag))
            return false;
        m_tags.email = tag;
        break;
    default:
        if (std::find(kExperienceCommands.begin(), kExperienceCommands.end(), commandId) ==
                kExperienceCommands.end() ||
            band == kExperienceBands.end())
            return false;
        TagExperience(kExperienceCommands[static_cast<std::size_t>(band - kExperienceBands.begin())]);
        ShowChecks();
        return true;
    }
    SetCheck(commandId, true);
    ShowChecks();
    return true;
}

void TaggingEdit::ClearTag(int commandId) {
    switch (commandId) {
    case kTagName:
        m_tags.name.clear();
        break;
    case kTagOrganization:
        m_tags.organization.clear();
        break;
    case kTagEmail:
        m_tags.email.clear();
        break;
    case kTagQualification:
    case kTagSpecialization:
    case kTagLocation:
        break; // the choice itself lives in SelectedValueLists
    default:
        m_tags.experience.clear();
        for (int band : kExperienceCommands)
            SetCheck(band, false);
    }
    SetCheck(commandId, false);
    ShowChecks();
}

void TaggingEdit::CheckItem(int commandId) {
    SetCheck(commandId, true);
    ShowChecks();
}

void TaggingEdit::PreselectChoice(PickListKind kind, bool preselect) {
    if (preselect)
        m_preselected.insert(kind);
    else
        m_preselected.erase(kind);
}

std::pair<int, int> TaggingEdit::ViewRange(std::size_t offset, std::size_t length) const {
    if (m_starts.empty()) {
        ReadableText(m_shownBytes, &m_starts);
        for (qsizetype at = m_shownText.indexOf(QStringLiteral("\r\n")); at >= 0;
             at = m_shownText.indexOf(QStringLiteral("\r\n"), at + 2))
            m_lineEnds.push_back(at + 1);
    }
    const auto viewOf = [this](std::size_t byte) {
        const auto index = std::lower_bound(m_starts.begin(), m_starts.end() - 1, byte) - m_starts.begin();
        const auto joined =
            std::lower_bound(m_lineEnds.begin(), m_lineEnds.end(), index) - m_lineEnds.begin();
        return static_cast<int>(index - joined);
    };
    return {viewOf(offset), viewOf(offset + length)};
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
        return TrimmedTag(*bytes);
    // The view marks line ends as paragraph separators.
    selected.replace(QChar::ParagraphSeparator, u'\n');
    return TrimmedTag(TrimmedText(selected));
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
    ValueListDialog choice(window(), kind, kChoosingMode, m_preselected.count(kind) != 0);
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
