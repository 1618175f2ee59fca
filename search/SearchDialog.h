#pragma once

#include "search/SearchQuery.h"
#include "store/KeywordQuery.h"

#include <QDialog>
#include <memory>

namespace Ui {
class SearchDialog;
}
class QComboBox;

// "Search The Resume": eight criteria, each an exact match, and the words of the resume's text,
// all of which must hold. Search opens the Result Window over the form, which stays open with its
// inputs for the next search.
class SearchDialog final : public QDialog {
    Q_OBJECT

public:
    explicit SearchDialog(QWidget* parent);
    ~SearchDialog() override;

    void OnSearch();
    void OnReset();

private:
    void LoadPickLists();
    static void FillPickList(QComboBox& list, const std::string& pickList);
    SearchCriteria ReadCriteria() const;
    // Translates the typed keywords and makes sure the index can answer; on false the user has
    // been told why and the focus is back on Keywords.
    bool ReadKeywords(const std::string& typed, KeywordSearch& search);

    std::unique_ptr<Ui::SearchDialog> m_ui;
};

inline constexpr const char* kSearchCriteriaNotSpecified = "Search Criteria not specified";
