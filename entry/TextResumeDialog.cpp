#include "entry/TextResumeDialog.h"

#include "documents/DocumentReader.h"
#include "entry/DocumentReading.h"
#include "entry/DuplicateHint.h"
#include "entry/EntryRules.h"
#include "entry/ProposalsPanel.h"
#include "entry/ResumeProposals.h"
#include "entry/SelectedValueLists.h"
#include "entry/TaggingEdit.h"
#include "entry/TextFile.h"
#include "platform/CommandGuard.h"
#include "platform/DataFolder.h"
#include "platform/DroppedFile.h"
#include "platform/MessageBox.h"
#include "store/OriginalFiles.h"
#include "store/ResumeStore.h"
#include "ui_TextResumeDialog.h"

#include <QBoxLayout>
#include <QDragEnterEvent>
#include <QDropEvent>

TextResumeDialog::TextResumeDialog(QWidget* parent, std::string path)
    : TextResumeDialog(parent, path, ReadImportedFile(path)) {}

TextResumeDialog::TextResumeDialog(QWidget* parent, std::string path, ImportedFile file,
                                   std::optional<QueuePlace> place)
    : QDialog(parent), m_ui(std::make_unique<Ui::TextResumeDialog>()), m_path(std::move(path)),
      m_original(std::move(file.bytes)), m_documentDate(file.modified) {
    m_ui->setupUi(this);
    // Under the text and its fields: whether the bank already holds the person tagged or proposed.
    m_hint = new DuplicateHint(this);
    static_cast<QBoxLayout*>(layout())->insertWidget(1, m_hint);
    connect(m_ui->proposalsPanel, &ProposalsPanel::FieldsChanged, this, &TextResumeDialog::CheckDuplicate);
    if (place)
        m_ui->placeLabel->setText(QStringLiteral("%1 of %2").arg(place->number).arg(place->total));
    m_ui->placeLabel->setVisible(place.has_value());
    LoadFile(file.content);
    m_ui->activeRadio->setChecked(true);
    setAcceptDrops(true);
    connect(m_ui->submitButton, &QPushButton::clicked, this, &TextResumeDialog::Submit);
    connect(m_ui->nextButton, &QPushButton::clicked, this, &TextResumeDialog::Next);
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &TextResumeDialog::reject);
}

TextResumeDialog::~TextResumeDialog() = default;

void TextResumeDialog::CheckDuplicate() {
    const ProposalsPanel& panel = *m_ui->proposalsPanel;
    const std::string name = panel.ValueOrProposal(ResumeField::Name);
    const std::string email = panel.ValueOrProposal(ResumeField::Email);
    const std::string organization = panel.ValueOrProposal(ResumeField::Organization);
    const std::string phone = panel.ValueOrProposal(ResumeField::Phone);
    m_hint->Check({name, email, organization, phone, 0});
}

void TextResumeDialog::LoadFile(const DocumentText& content) {
    if (!content.Ok()) {
        // Without its text the dialog has nothing to tag: no menu, and Submit asks for a name.
        ShowMessage(ProblemMessage(m_path, content), MessageButtons::Ok, ProblemIcon(content));
        return;
    }
    const std::string_view shown = ShownPart(content.text);
    m_ui->textEdit->ShowBytes(std::string(shown));
    m_storedText = TrimmedBytes(content.text);
    m_ui->textEdit->LoadTaggingMenu();
    m_ui->proposalsPanel->Attach(m_ui->textEdit, ProposeForTheDialog(shown, m_documentDate));
    if (content.recognised)
        ShowMessage(
            "The text of " + m_path +
                " was recognised from a picture of its pages and may hold mistakes; check it against the "
                "original.",
            MessageButtons::Ok, MessageIcon::Information);
    if (shown.size() < content.text.size())
        ShowMessage("The file " + m_path + " is too long to show whole. At most its first " +
                        std::to_string(kShownTextLimit / 1024) +
                        " KB are shown for tagging; the whole text is stored with the resume.",
                    MessageButtons::Ok, MessageIcon::Information);
}

void TextResumeDialog::Submit() {
    if (!MandatoryTagsPresent())
        return;
    if (WriteGuarded())
        Finish(TextResumeEnd::Submitted);
}

void TextResumeDialog::Next() {
    if (NothingTagged()) {
        if (ShowMessage(kDoNotSaveQuestion, MessageButtons::YesNo, MessageIcon::Question) ==
            MessageAnswer::Yes)
            Finish(TextResumeEnd::NextFile);
        else
            ShowMessage(kEnterNameAndQualification);
        return;
    }
    if (!MandatoryTagsPresent())
        return;
    if (WriteGuarded())
        Finish(TextResumeEnd::NextFile);
}

bool TextResumeDialog::NothingTagged() const {
    // The organization alone does not count as tagging.
    const ResumeTags& tags = m_ui->textEdit->Tags();
    return tags.name.empty() && tags.experience.empty() && tags.email.empty() &&
           SelectedValueLists.AllEmpty();
}

bool TextResumeDialog::AcceptsDrop() const {
    const ResumeTags& tags = m_ui->textEdit->Tags();
    return NothingTagged() && tags.organization.empty();
}

void TextResumeDialog::dragEnterEvent(QDragEnterEvent* event) {
    if (AcceptsDrop() && !::DroppedFiles(event->mimeData()).empty())
        event->acceptProposedAction();
}

void TextResumeDialog::dropEvent(QDropEvent* event) {
    std::vector<std::string> files = ::DroppedFiles(event->mimeData());
    if (files.empty() || !AcceptsDrop())
        return;
    event->acceptProposedAction();
    m_droppedFiles = std::move(files);
    Finish(TextResumeEnd::FileDropped);
}

bool TextResumeDialog::MandatoryTagsPresent() const {
    if (m_ui->textEdit->Tags().name.empty()) {
        ShowMessage(kSelectName);
        return false;
    }
    if (SelectedValueLists.qualifications.empty()) {
        ShowMessage(kSelectQualification);
        return false;
    }
    return true;
}

// A failed open, append or close is reported and the import goes on; an engine error, or an
// original that cannot be kept, ends the command and leaves the dialog open.
bool TextResumeDialog::WriteGuarded() {
    bool goOn = false;
    return RunGuarded([&] { goOn = WriteResume(); }) && goOn;
}

bool TextResumeDialog::WriteResume() {
    ResumeStore store;
    if (!store.Open()) {
        ShowMessage(kUnableToOpenDatabase);
        return true;
    }
    try {
        // On disk before any row names it: a crash can then leave a file without its resume, which
        // the next start sweeps away, but never a resume without its file.
        if (!m_original.empty())
            store.keptOriginal = KeepOriginal(DataFolder(), m_original, m_path);
    } catch (const OriginalFileError& error) {
        ShowMessage(std::string("The resume is not stored: ") + error.what() + ".", MessageButtons::Ok,
                    MessageIcon::Critical);
        return false;
    }
    SelectedValueLists.FillEmptyWithNotSpecified();
    const ResumeTags& tags = m_ui->textEdit->Tags();
    const std::string status = CheckedStatus();
    store.record.name = tags.name;
    store.record.experience = tags.experience;
    store.record.email = tags.email;
    store.record.resumeText = m_storedText;
    store.record.organization = tags.organization;
    store.record.status = status;
    SelectedValueLists.CopyInto(store.record);
    if (!store.AppendResume()) {
        ShowMessage(kUnableToWriteDatabase);
        return true;
    }
    if (!store.Close())
        ShowMessage(kUnableToCloseDatabase);
    return true;
}

void TextResumeDialog::Finish(TextResumeEnd end) {
    SelectedValueLists.Clear();
    m_end = end;
    done(end == TextResumeEnd::Cancelled ? QDialog::Rejected : QDialog::Accepted);
}

void TextResumeDialog::reject() {
    SelectedValueLists.Clear();
    m_end = TextResumeEnd::Cancelled;
    QDialog::reject();
}

std::string TextResumeDialog::CheckedStatus() const {
    return ::CheckedStatus({m_ui->activeRadio, m_ui->holdRadio, m_ui->selectedRadio, m_ui->rejectedRadio});
}
