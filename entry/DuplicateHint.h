#pragma once

#include "store/SameResumes.h"

#include <QWidget>
#include <cstdint>
#include <functional>

class QLabel;
class QPushButton;

// The line under a form's fields that says when the bank already holds the person being entered,
// with Show to read that resume's text. It never stands in the way: Submit stores as before.
class DuplicateHint final : public QWidget {
    Q_OBJECT

public:
    explicit DuplicateHint(QWidget* parent);
    ~DuplicateHint() override;

    // Looks the values up in the bank's match keys; hidden when nothing matches or the bank cannot
    // be read.
    void Check(const EntryValues& values);
    // What the line says; empty while hidden.
    QString Text() const;

private:
    QLabel* m_line;
    QPushButton* m_show;
    std::int64_t m_shownId = 0;
};

// What the line says of a resume found.
QString DuplicateHintText(const SameResume& same);

// Shows the full text of resume `id` over `parent` (File View), leaving the form as it was. Set by
// the program at start (File View lives above this layer); unset, Show does nothing.
extern std::function<void(QWidget* parent, std::int64_t id)> g_showOtherResume;

inline constexpr int kDuplicateHintLine = 2061;
inline constexpr int kDuplicateHintShow = 2062;
