#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class ResultDialog;
}
class CMSFlexGrid;
class QAction;

// The "Result Window": runs g_resultQuery, shows one grid row per resume, and offers Details,
// Edit, Delete and Send Mail on the selected row. It fills its grid when built; a window whose
// first fill failed has already told the user why and ends at once when run.
// The grid's columns: the described ones, or those and, last, each resume's group and why it is
// in it (a query that adds those two columns after the four tables', as Find Duplicates runs).
enum class ResultColumns { Described, WithGroups };

class ResultDialog final : public QDialog {
    Q_OBJECT

public:
    explicit ResultDialog(QWidget* parent, ResultColumns columns = ResultColumns::Described);
    ~ResultDialog() override;

    int exec() override;

    // Runs g_resultQuery into the grid; false (with a message) when nothing could be shown.
    bool FillGrid();
    // Reads the full text of EditedResume by g_detailsQuery; false (with a message) when none.
    bool ReadResumeText();
    // Takes the grid's current row as selected and reads its resume's full text.
    bool SelectCurrentRow();
    // Send Mail is enabled while the current row has an e-mail address.
    void UpdateSendMailButton();

protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void ConnectActions();
    void ShowFillSoFar(int resumes);
    void FitWindowToColumns();
    void OnDetails();
    void OnEdit();
    bool ReadStoredLists();
    void OnDelete();
    void OnSendMail();
    void UpdateOpenOriginalCommand();
    bool DeleteFromStore(const std::string& idText);
    void RefillOrClose();
    CMSFlexGrid& Grid() const;

    std::unique_ptr<Ui::ResultDialog> m_ui;
    ResultColumns m_columns;
    QAction* m_openOriginal = nullptr;
    bool m_filled = false;
    bool m_filling = false;
};

// A fill that runs longer than `firstShow` milliseconds shows the rows found so far and a running
// count, and paints them again every `repaint` milliseconds or so until it is complete.
struct FillPacing {
    int firstShow = 150;
    int repaint = 70;
};
extern FillPacing g_fillPacing;

// "Open &Original", in the grid's context menu and on Ctrl+O: the file the resume was imported from.
inline constexpr int kOpenOriginalCommand = 2012;

inline constexpr const char* kExceptionTryAgain = "Exception :try again";
inline constexpr const char* kNoRecordFoundToShow = "No record found to show";
inline constexpr const char* kDeleteRecordQuestion = "Are you sure you want to delete this record";
inline constexpr const char* kRecordsFoundSuffix = "  Records Found ";
inline constexpr const char* kResumeTextGone = "The full text of this resume is no longer in the database.";
