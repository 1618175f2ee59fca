#include "search/KeywordIndexWork.h"

#include "platform/DataFolder.h"
#include "platform/EngineError.h"
#include "platform/MessageBox.h"
#include "platform/ProgressBox.h"
#include "platform/WaitCursor.h"
#include "store/KeywordIndex.h"
#include "store/QueryTexts.h"
#include "store/Sqlite.h"

#include <cstdio>

namespace {

bool BuildShowing(QWidget* parent, const char* text) {
    SqliteConnection bank;
    bank.Open(DataFolder() + kDatabaseFileName);
    ProgressBox progress(parent, QString::fromUtf8(text));
    return BuildKeywordIndex(
        bank, [&progress](std::int64_t done, std::int64_t total) { return progress.Report(done, total); });
}

// What to ask when the index cannot answer; empty when it can.
std::string Offer(const KeywordIndexHealth& health) {
    switch (health.state) {
    case KeywordIndexState::Ready:
        break;
    case KeywordIndexState::Missing:
        return kKeywordIndexMissing;
    case KeywordIndexState::Damaged:
        return kKeywordIndexDamagedPrefix + health.detail + kKeywordIndexOfferSuffix;
    case KeywordIndexState::OutOfStep:
    case KeywordIndexState::OldLayout:
        return kKeywordIndexOutOfStepPrefix + health.detail + kKeywordIndexOfferSuffix;
    }
    return {};
}

} // namespace

bool BuildKeywordIndexShowingProgress(QWidget* parent) {
    return BuildShowing(parent, kBuildingKeywordIndex);
}

bool MakeKeywordIndexReady(QWidget* parent) {
    KeywordIndexHealth health;
    {
        // Catching up on many texts another program wrote takes a moment.
        const WaitCursor waiting;
        SqliteConnection bank;
        bank.Open(DataFolder() + kDatabaseFileName);
        health = InspectKeywordIndex(bank);
    }
    const std::string offer = Offer(health);
    if (offer.empty())
        return true;
    if (ShowMessage(offer, MessageButtons::YesNo, MessageIcon::Question) != MessageAnswer::Yes)
        return false;
    return BuildKeywordIndexShowingProgress(parent);
}

void AddMissingKeywordIndex(QWidget* parent) {
    try {
        {
            SqliteConnection bank;
            bank.Open(DataFolder() + kDatabaseFileName);
            if (HasKeywordIndex(bank))
                return;
        }
        BuildShowing(parent, kAddingKeywordIndex);
    } catch (const EngineError& error) {
        // The bank is as it was; the store will say what is wrong with it when it is used.
        std::fprintf(stderr, "talvanor: keyword index not added: %s\n", error.what());
    }
}
