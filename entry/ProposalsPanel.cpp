#include "entry/ProposalsPanel.h"

#include "entry/ReadableText.h"
#include "entry/SelectedValueLists.h"
#include "entry/TaggingEdit.h"
#include "entry/TaggingMenu.h"
#include "platform/ControlId.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTextEdit>
#include <QToolButton>

namespace {

constexpr ResumeField kFields[] = {ResumeField::Name,
                                   ResumeField::Email,
                                   ResumeField::Phone,
                                   ResumeField::Organization,
                                   ResumeField::Experience,
                                   ResumeField::Qualifications,
                                   ResumeField::Specializations,
                                   ResumeField::Locations};

// The tagging menu's command for a field: experience by its first band. None for the phone.
int CommandOf(ResumeField field) {
    switch (field) {
    case ResumeField::Name:
        return kTagName;
    case ResumeField::Email:
        return kTagEmail;
    case ResumeField::Organization:
        return kTagOrganization;
    case ResumeField::Experience:
        return kExperienceCommands[0];
    case ResumeField::Qualifications:
        return kTagQualification;
    case ResumeField::Specializations:
        return kTagSpecialization;
    case ResumeField::Locations:
        return kTagLocation;
    case ResumeField::Phone:
        break;
    }
    return 0;
}

std::optional<ResumeField> FieldOfCommand(int commandId) {
    if (std::find(kExperienceCommands.begin(), kExperienceCommands.end(), commandId) !=
        kExperienceCommands.end())
        return ResumeField::Experience;
    for (ResumeField field : kFields) {
        if (field != ResumeField::Experience && CommandOf(field) == commandId && commandId != 0)
            return field;
    }
    return std::nullopt;
}

std::optional<PickListKind> KindOf(ResumeField field) {
    switch (field) {
    case ResumeField::Qualifications:
        return PickListKind::Qualifications;
    case ResumeField::Specializations:
        return PickListKind::Specializations;
    case ResumeField::Locations:
        return PickListKind::Locations;
    default:
        return std::nullopt;
    }
}

QString Shown(ResumeField field, const std::string& value) {
    return ReadableText(KindOf(field) ? ListForDisplay(value) : value);
}

} // namespace

ProposalsPanel::ProposalsPanel(QWidget* parent) : QGroupBox(QStringLiteral("Fields"), parent) {
    SetControlId(this, kProposalsPanel);
    auto* grid = new QGridLayout(this);
    grid->setColumnStretch(1, 1);
    const QString captions[] = {QStringLiteral("Name"),
                                QStringLiteral("E-Mail"),
                                QStringLiteral("Phone"),
                                QStringLiteral("Organization"),
                                QStringLiteral("Experience"),
                                QStringLiteral("Qualifications"),
                                QStringLiteral("Specializations"),
                                QStringLiteral("Locations")};
    for (ResumeField field : kFields)
        AddRow(field, captions[Index(field)], static_cast<int>(Index(field)));
    m_use = new QPushButton(QStringLiteral("Use &Proposals"), this);
    SetControlId(m_use, kUseProposalsButton);
    m_use->setAutoDefault(false);
    m_use->setToolTip(QStringLiteral("Takes every proposed value as if tagged (Ctrl+U)"));
    grid->addWidget(m_use, static_cast<int>(kResumeFieldCount), 0, 1, 4);
    grid->setRowStretch(static_cast<int>(kResumeFieldCount) + 1, 1);
    connect(m_use, &QPushButton::clicked, this, &ProposalsPanel::UseProposals);
    auto* key = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_U), this);
    key->setContext(Qt::WindowShortcut);
    connect(key, &QShortcut::activated, this, [this] {
        if (m_use->isEnabled())
            UseProposals();
    });
    Refresh();
}

ProposalsPanel::~ProposalsPanel() = default;

void ProposalsPanel::AddRow(ResumeField field, const QString& caption, int row) {
    auto* grid = static_cast<QGridLayout*>(layout());
    Field& shown = m_fields[Index(field)];
    // A list may wrap onto more lines: its row reads from the top.
    const Qt::Alignment along = KindOf(field) ? Qt::AlignTop : Qt::AlignVCenter;
    grid->addWidget(new QLabel(caption + QLatin1Char(':'), this), row, 0, along);
    if (KindOf(field)) {
        // A list wraps between its values.
        auto* list = new QLabel(this);
        list->setWordWrap(true);
        list->setTextFormat(Qt::PlainText);
        list->setTextInteractionFlags(Qt::TextSelectableByMouse);
        shown.value = list;
    } else {
        // One value on one line that never cuts it off: a long address scrolls, and can be copied.
        auto* line = new QLineEdit(this);
        line->setReadOnly(true);
        line->setFrame(false);
        line->setFocusPolicy(Qt::ClickFocus);
        line->setStyleSheet(QStringLiteral("QLineEdit { background: transparent; border: none; }"));
        line->setTextMargins(0, 0, 0, 0);
        shown.value = line;
    }
    shown.value->setMinimumWidth(120);
    SetControlId(shown.value, kFieldValueBase + row);
    grid->addWidget(shown.value, row, 1, KindOf(field) ? Qt::AlignTop : Qt::Alignment());
    shown.origin = new QLabel(this);
    shown.origin->setForegroundRole(QPalette::PlaceholderText);
    SetControlId(shown.origin, kFieldOriginBase + row);
    grid->addWidget(shown.origin, row, 2, along);
    if (field == ResumeField::Phone)
        return; // shown, never stored: nothing to clear
    shown.clear = new QToolButton(this);
    shown.clear->setText(QStringLiteral("\u00d7"));
    shown.clear->setToolTip(QStringLiteral("Clear ") + caption);
    shown.clear->setAccessibleName(QStringLiteral("Clear ") + caption);
    shown.clear->setAutoRaise(true);
    SetControlId(shown.clear, kClearFieldBase + row);
    grid->addWidget(shown.clear, row, 3, along);
    connect(shown.clear, &QToolButton::clicked, this, [this, field] { ClearField(field); });
}

void ProposalsPanel::Attach(TaggingEdit* edit, ResumeProposals proposals) {
    m_edit = edit;
    for (ResumeField field : kFields)
        m_fields[Index(field)].proposal = std::move(proposals[Index(field)]);
    connect(edit, &TaggingEdit::Tagged, this, &ProposalsPanel::OnTagged);
    Refresh();
}

bool ProposalsPanel::Pending(ResumeField field) const {
    const Field& shown = m_fields[Index(field)];
    return shown.proposal && !shown.setAside && shown.source == FieldSource::Empty &&
           CurrentValue(field).empty();
}

std::string ProposalsPanel::CurrentValue(ResumeField field) const {
    if (m_edit == nullptr)
        return {};
    const ResumeTags& tags = m_edit->Tags();
    switch (field) {
    case ResumeField::Name:
        return tags.name;
    case ResumeField::Email:
        return tags.email;
    case ResumeField::Organization:
        return tags.organization;
    case ResumeField::Experience:
        return tags.experience;
    case ResumeField::Phone:
        return {};
    default:
        return SelectedValueLists.Of(*KindOf(field));
    }
}

std::string ProposalsPanel::ValueOrProposal(ResumeField field) const {
    const Field& shown = m_fields[Index(field)];
    std::string value = CurrentValue(field);
    if (value.empty() && shown.proposal && !shown.setAside)
        value = shown.proposal->value;
    return value;
}

void ProposalsPanel::UseProposals() {
    for (ResumeField field : kFields) {
        if (field == ResumeField::Phone || !Pending(field))
            continue;
        Field& shown = m_fields[Index(field)];
        if (Apply(field, shown.proposal->value))
            shown.source = FieldSource::Applied;
        else
            shown.setAside = true;
    }
    Refresh();
}

// As tagging by hand would: the same trimming and e-mail rule, the same check marks.
bool ProposalsPanel::Apply(ResumeField field, const std::string& value) {
    const std::optional<PickListKind> kind = KindOf(field);
    if (!kind)
        return m_edit->TagWith(CommandOf(field), value);
    SelectedValueLists.Of(*kind) = value;
    m_edit->CheckItem(CommandOf(field));
    // Choosing this list again starts from the proposed values, to add or take away one.
    m_edit->PreselectChoice(*kind, true);
    return true;
}

void ProposalsPanel::ClearField(ResumeField field) {
    if (m_edit == nullptr || field == ResumeField::Phone)
        return;
    if (const std::optional<PickListKind> kind = KindOf(field)) {
        SelectedValueLists.Of(*kind).clear();
        m_edit->PreselectChoice(*kind, false);
    }
    m_edit->ClearTag(CommandOf(field));
    Field& shown = m_fields[Index(field)];
    shown.setAside = true;
    shown.source = FieldSource::Empty;
    Refresh();
}

void ProposalsPanel::OnTagged(int commandId) {
    const std::optional<ResumeField> field = FieldOfCommand(commandId);
    if (!field)
        return;
    const std::optional<PickListKind> kind = KindOf(*field);
    // A choice cancelled leaves the list as it was, and its source with it.
    if (kind && SelectedValueLists.Of(*kind) == m_listsSeen[static_cast<std::size_t>(*kind) - 1])
        return;
    Field& shown = m_fields[Index(*field)];
    shown.setAside = true;
    shown.source = CurrentValue(*field).empty() ? FieldSource::Empty : FieldSource::Tagged;
    if (kind)
        m_edit->PreselectChoice(*kind, false);
    Refresh();
}

void ProposalsPanel::Refresh() {
    bool anyPending = false;
    for (ResumeField field : kFields) {
        Field& shown = m_fields[Index(field)];
        const std::string current = CurrentValue(field);
        const bool pending = Pending(field);
        if (field == ResumeField::Phone) {
            ShowValue(field, shown.proposal ? Shown(field, shown.proposal->value) : QString(), false);
            shown.origin->setText(shown.proposal ? QStringLiteral("not stored") : QString());
            continue;
        }
        if (!current.empty()) {
            ShowValue(field, Shown(field, current), false);
            shown.origin->setText(shown.source == FieldSource::Applied ? QStringLiteral("applied")
                                                                       : QStringLiteral("tagged"));
        } else {
            ShowValue(field, pending ? Shown(field, shown.proposal->value) : QString(), pending);
            shown.origin->setText(pending ? QStringLiteral("proposed") : QString());
        }
        shown.clear->setEnabled(!current.empty() || pending);
        anyPending = anyPending || pending;
    }
    m_use->setEnabled(anyPending);
    for (std::size_t list = 0; list < m_listsSeen.size(); ++list)
        m_listsSeen[list] = SelectedValueLists.Of(static_cast<PickListKind>(list + 1));
    MarkFound();
    emit FieldsChanged();
}

// A proposal not yet used shows in grey italics; a value that will be stored, plainly.
void ProposalsPanel::ShowValue(ResumeField field, const QString& text, bool pending) {
    QWidget* value = m_fields[Index(field)].value;
    QFont font = value->font();
    font.setItalic(pending);
    value->setFont(font);
    const QPalette::ColorRole role = pending ? QPalette::PlaceholderText : QPalette::WindowText;
    if (auto* line = qobject_cast<QLineEdit*>(value)) {
        QPalette palette = line->palette();
        palette.setColor(QPalette::Text, palette.color(role));
        line->setPalette(palette);
        line->setText(text);
        line->setCursorPosition(0);
    } else {
        value->setForegroundRole(role);
        static_cast<QLabel*>(value)->setText(text);
    }
    value->setToolTip(text);
}

// Where each proposal still in play was found, marked in the text.
void ProposalsPanel::MarkFound() {
    if (m_edit == nullptr)
        return;
    QList<QTextEdit::ExtraSelection> marks;
    QTextCharFormat format;
    format.setBackground(QColor(255, 236, 140));
    for (ResumeField field : kFields) {
        const Field& shown = m_fields[Index(field)];
        const bool inPlay =
            shown.proposal && !shown.setAside &&
            (field == ResumeField::Phone || shown.source == FieldSource::Applied || Pending(field));
        if (!inPlay)
            continue;
        for (const TextSpan& span : shown.proposal->found) {
            const auto [start, end] = m_edit->ViewRange(span.offset, span.length);
            if (end <= start)
                continue;
            QTextCursor cursor(m_edit->document());
            cursor.setPosition(start);
            cursor.setPosition(end, QTextCursor::KeepAnchor);
            marks.append({cursor, format});
        }
    }
    m_edit->setExtraSelections(marks);
}
