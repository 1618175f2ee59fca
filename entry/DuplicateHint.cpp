#include "entry/DuplicateHint.h"

#include "platform/ControlId.h"
#include "platform/DataFolder.h"
#include "platform/EngineError.h"
#include "store/QueryTexts.h"
#include "store/Sqlite.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>

std::function<void(QWidget*, std::int64_t)> g_showOtherResume;

namespace {

QString Why(SameBy why) {
    switch (why) {
    case SameBy::Email:
        return QStringLiteral("same e-mail");
    case SameBy::Phone:
        return QStringLiteral("same phone");
    case SameBy::NameAndOrganization:
        return QStringLiteral("same name and organization");
    case SameBy::Name:
        break;
    }
    return QStringLiteral("a resume with the same name");
}

} // namespace

QString DuplicateHintText(const SameResume& same) {
    // "Active For Proccesing" reads as "active": the status's first word.
    const QString status =
        QString::fromStdString(same.status).trimmed().section(QLatin1Char(' '), 0, 0).toLower();
    QString why = Why(same.why);
    if (same.count > 1)
        why += QStringLiteral(", and %1 more").arg(same.count - 1);
    const QString lead = same.why == SameBy::Name ? QStringLiteral("Perhaps in the bank: ")
                                                  : QStringLiteral("Already in the bank: ");
    return lead + QString::fromStdString(same.name) + QStringLiteral(", ID %1").arg(same.id) +
           (status.isEmpty() ? QString() : QStringLiteral(", added as ") + status) + QStringLiteral(" (") +
           why + QStringLiteral(")");
}

DuplicateHint::DuplicateHint(QWidget* parent)
    : QWidget(parent), m_line(new QLabel(this)), m_show(new QPushButton(QStringLiteral("Sho&w"), this)) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    m_line->setProperty(kControlIdProperty, kDuplicateHintLine);
    m_line->setTextFormat(Qt::PlainText);
    m_line->setWordWrap(true);
    m_show->setProperty(kControlIdProperty, kDuplicateHintShow);
    m_show->setAutoDefault(false);
    m_show->setToolTip(QStringLiteral("Show that resume's text"));
    row->addWidget(m_line, 1);
    row->addWidget(m_show);
    connect(m_show, &QPushButton::clicked, this, [this] {
        if (g_showOtherResume && m_shownId != 0)
            g_showOtherResume(window(), m_shownId);
    });
    hide();
}

DuplicateHint::~DuplicateHint() = default;

void DuplicateHint::Check(const EntryValues& values) {
    std::optional<SameResume> same;
    try {
        SqliteConnection bank;
        bank.Open(DataFolder() + kDatabaseFileName);
        same = FindSameResume(bank, values);
    } catch (const EngineError&) {
        // A hint only: the form works on without it.
    }
    m_shownId = same ? same->id : 0;
    m_line->setText(same ? DuplicateHintText(*same) : QString());
    setVisible(same.has_value());
}

QString DuplicateHint::Text() const {
    return isHidden() ? QString() : m_line->text();
}
