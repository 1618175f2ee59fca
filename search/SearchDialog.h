#pragma once

#include "search/SearchQuery.h"

#include <QDialog>
#include <memory>

namespace Ui {
class SearchDialog;
}
class QComboBox;

// "Search The Resume": eight criteria, each an exact match, all of which must hold. Search opens
// the Result Window over the form, which stays open with its inputs for the next search.
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

    std::unique_ptr<Ui::SearchDialog> m_ui;
};

inline constexpr const char* kSearchCriteriaNotSpecified = "Search Criteria not specified";
