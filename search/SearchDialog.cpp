#include "search/SearchDialog.h"

#include "entry/EntryRules.h"
#include "entry/PickListText.h"
#include "platform/CommandGuard.h"
#include "platform/MessageBox.h"
#include "platform/ModalRun.h"
#include "platform/Text.h"
#include "search/KeywordHighlights.h"
#include "search/KeywordIndexWork.h"
#include "search/ResultDialog.h"
#include "search/ResultQuery.h"
#include "store/KeywordQuery.h"
#include "store/ResumeStore.h"
#include "store/Vocabulary.h"
#include "ui_SearchDialog.h"

#include <QScopeGuard>

namespace {
std::string ChosenItem(const QComboBox& list) {
    return list.currentIndex() < 0 ? std::string() : FromQt(list.currentText());
}

// The keyword terms go to the details view for as long as the result window is open.
class ShownKeywords {
public:
    explicit ShownKeywords(const std::vector<KeywordTerm>& terms) { g_resultKeywords = terms; }
    ~ShownKeywords() { g_resultKeywords.clear(); }
    ShownKeywords(const ShownKeywords&) = delete;
    ShownKeywords& operator=(const ShownKeywords&) = delete;
};
} // namespace

SearchDialog::SearchDialog(QWidget* parent) : QDialog(parent), m_ui(std::make_unique<Ui::SearchDialog>()) {
    m_ui->setupUi(this);
    for (std::string_view band : kExperienceBands)
        m_ui->experienceCombo->addItem(ToQt(std::string(band)));
    m_ui->experienceCombo->setCurrentIndex(-1);
    // The form opens all the same when the lists cannot be read: the store has said why.
    RunGuarded([this] { LoadPickLists(); });
    connect(m_ui->searchButton, &QPushButton::clicked, this, [this] { RunGuarded([this] { OnSearch(); }); });
    connect(m_ui->resetButton, &QPushButton::clicked, this, &SearchDialog::OnReset);
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

SearchDialog::~SearchDialog() = default;

void SearchDialog::LoadPickLists() {
    std::string qualifications;
    std::string specializations;
    std::string locations;
    ResumeStore store;
    if (store.Open() != 1)
        return;
    store.LoadPickList(qualifications, specializations, locations);
    store.Close();
    FillPickList(*m_ui->qualificationCombo, qualifications);
    FillPickList(*m_ui->specializationCombo, specializations);
    FillPickList(*m_ui->locationCombo, locations);
}

void SearchDialog::FillPickList(QComboBox& list, const std::string& pickList) {
    QStringList values = PickListValues(pickList);
    values.sort(Qt::CaseInsensitive);
    list.addItems(values);
    list.setCurrentIndex(-1);
}

SearchCriteria SearchDialog::ReadCriteria() const {
    SearchCriteria criteria;
    criteria.name = TrimmedText(m_ui->nameEdit->text());
    criteria.specialization = ChosenItem(*m_ui->specializationCombo);
    criteria.qualification = ChosenItem(*m_ui->qualificationCombo);
    criteria.experience = ChosenItem(*m_ui->experienceCombo);
    criteria.email = TrimmedText(m_ui->emailEdit->text());
    criteria.location = ChosenItem(*m_ui->locationCombo);
    criteria.organization = TrimmedText(m_ui->organizationEdit->text());
    criteria.keywords = TrimmedText(m_ui->keywordsEdit->text());
    for (const QRadioButton* button :
         {m_ui->activeRadio, m_ui->holdRadio, m_ui->selectedRadio, m_ui->rejectedRadio}) {
        if (button->isChecked())
            criteria.status = StatusFromCaption(button->text());
    }
    return criteria;
}

void SearchDialog::OnSearch() {
    const SearchCriteria criteria = ReadCriteria();
    if (criteria.IsEmpty()) {
        ShowMessage(kSearchCriteriaNotSpecified);
        return;
    }
    if (!criteria.email.empty() && !IsAcceptableEmail(criteria.email)) {
        ShowMessage(kInvalidEmailAddress);
        m_ui->emailEdit->setFocus();
        return;
    }
    KeywordSearch keywords;
    if (!criteria.keywords.empty() && !ReadKeywords(criteria.keywords, keywords))
        return;
    g_resultQuery = BuildSearchQuery(criteria, keywords.match);
    const ShownKeywords shown(keywords.shown);
    ResultDialog results(this);
    RunModal(results);
}

bool SearchDialog::ReadKeywords(const std::string& typed, KeywordSearch& search) {
    KeywordTranslation translation = TranslateKeywords(typed);
    if (!translation.search) {
        ShowMessage(translation.problem);
        m_ui->keywordsEdit->setFocus();
        return false;
    }
    // Back to Keywords also when the offer is refused, the build cancelled or an engine error
    // ends the command.
    auto focusBack = qScopeGuard([this] { m_ui->keywordsEdit->setFocus(); });
    if (!MakeKeywordIndexReady(this))
        return false;
    focusBack.dismiss();
    search = std::move(*translation.search);
    return true;
}

void SearchDialog::OnReset() {
    for (QLineEdit* box : {m_ui->nameEdit, m_ui->emailEdit, m_ui->organizationEdit, m_ui->keywordsEdit})
        box->clear();
    for (QComboBox* list :
         {m_ui->qualificationCombo, m_ui->specializationCombo, m_ui->experienceCombo, m_ui->locationCombo})
        list->setCurrentIndex(-1);
    // A group of exclusive buttons keeps one checked; let it go for a moment to clear it.
    for (QRadioButton* button :
         {m_ui->activeRadio, m_ui->holdRadio, m_ui->selectedRadio, m_ui->rejectedRadio}) {
        button->setAutoExclusive(false);
        button->setChecked(false);
        button->setAutoExclusive(true);
    }
}
