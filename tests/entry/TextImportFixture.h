#pragma once

#include "entry/TaggingEdit.h"
#include "entry/TaggingMenu.h"
#include "platform/FileChooser.h"
#include "tests/entry/EntryFixture.h"
#include "tests/util/DialogScript.h"

#include <QApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QLineEdit>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>
#include <deque>
#include <fstream>
#include <optional>

// The text import driven through its seams: files of the test's own folder, the chooser scripted or
// the real one acted on, tags set through the tagging menu, drops sent to the dialog.

constexpr int kText = 1000, kSelected = 1057, kSubmit = 1002, kNext = 1003, kCancel = 2;
const std::string kSamples = std::string(TALVANOR_TEST_DATA) + "/documents/";
const QString kResumesFilter =
    "Resumes (*.txt *.pdf *.docx *.odt *.doc *.rtf *.htm *.html *.png *.jpg *.jpeg *.tif *.tiff)";

class TextImport : public EntryTest {
protected:
    std::string WriteFile(const std::string& name, const std::string& bytes) {
        const std::string path = m_folder.path().toStdString() + "/" + name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    static TaggingEdit* Edit(QDialog& dialog) { return FindControl<TaggingEdit>(&dialog, kText); }

    // Selects the first occurrence of `text` in the shown text; an empty text clears the selection.
    static void SelectText(QDialog& dialog, const QString& text) {
        TaggingEdit* edit = Edit(dialog);
        QTextCursor cursor = edit->textCursor();
        cursor.clearSelection();
        if (!text.isEmpty()) {
            const int at = edit->toPlainText().indexOf(text);
            ASSERT_GE(at, 0) << text.toStdString();
            cursor.setPosition(at);
            cursor.setPosition(at + text.size(), QTextCursor::KeepAnchor);
        }
        edit->setTextCursor(cursor);
    }

    static void Tag(QDialog& dialog, int command, const QString& text) {
        SelectText(dialog, text);
        QAction* action = Edit(dialog)->MenuAction(command);
        ASSERT_NE(action, nullptr) << command;
        action->trigger();
    }

    // Chooses qualifications through the value list dialog the tagging menu opens.
    void TagQualifications(QDialog& dialog, DialogScript& script, std::vector<QString> items) {
        script.Nested([items](QDialog& choice) {
            auto* list = FindControl<QListWidget>(&choice, 1060);
            for (const QString& item : items)
                list->findItems(item, Qt::MatchExactly).at(0)->setSelected(true);
            Click(choice, 1062);
        });
        Tag(dialog, kTagQualification, {});
    }

    // The chooser answers with these paths in turn, then is cancelled.
    void ScriptChooser(std::deque<std::string> paths) {
        m_choices = std::move(paths);
        SetOpenFileAnswerer([this](const QString& filter) -> std::optional<std::string> {
            m_filters.push_back(filter.toStdString());
            if (m_choices.empty())
                return std::nullopt;
            std::string next = m_choices.front();
            m_choices.pop_front();
            return next;
        });
    }
    // The real chooser, which lists text files, or the files of the filter last used: it picks
    // `path` through the filter `use`, or is cancelled when `path` is empty.
    static DialogScript::Step Chooser(const QString& folder, const std::string& path,
                                      const QString& shown = ".txt (*.txt)", const QString& use = {}) {
        return [folder, path, shown, use](QDialog& dialog) {
            auto& chooser = dynamic_cast<QFileDialog&>(dialog);
            EXPECT_EQ(chooser.nameFilters(),
                      (QStringList{".txt (*.txt)",
                                   "Resumes (*.txt *.pdf *.docx *.odt *.doc *.rtf *.htm *.html *.png *.jpg "
                                   "*.jpeg *.tif *.tiff)",
                                   "PDF documents (*.pdf)", "Word documents (*.docx)",
                                   "OpenDocument texts (*.odt)", "Web pages (*.htm *.html)",
                                   "Word 97-2003 documents (*.doc)", "RTF documents (*.rtf)",
                                   "Scanned pages (*.png *.jpg *.jpeg *.tif *.tiff)", "All files (*)"}));
            EXPECT_EQ(chooser.selectedNameFilter(), shown);
            if (!use.isEmpty())
                chooser.selectNameFilter(use);
            EXPECT_EQ(chooser.defaultSuffix(), "txt");
            EXPECT_EQ(chooser.findChild<QLineEdit*>("fileNameEdit")->text(), "*.txt");
            if (!folder.isEmpty()) { // else wherever the chooser was last
                EXPECT_EQ(chooser.directory().absolutePath(), folder);
            }
            if (path.empty())
                return chooser.reject();
            chooser.selectFile(QString::fromStdString(path));
            dialog.accept(); // QFileDialog::accept, which checks the file
        };
    }
    void TearDown() override {
        SetOpenFileAnswerer({});
        EntryTest::TearDown();
    }

    // Drags `path` over the shown text, which passes the drag to the dialog, and drops it there
    // when the dialog takes it. True when it did.
    static bool Drop(QDialog& dialog, const std::string& path) {
        QWidget& target = *Edit(dialog)->viewport();
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(QString::fromStdString(path))});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&target, &enter);
        if (!enter.isAccepted())
            return false;
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&target, &drop);
        return drop.isAccepted();
    }

    QTemporaryDir m_folder;
    std::deque<std::string> m_choices;
    std::vector<std::string> m_filters;
};

constexpr const char* kResumeFile = "\n\n   Name: Asha Rao\nMail: asha@mail.in\nBad: asha rao@mail\n"
                                    "Org: Acme Tools\nSkills: audits\n\n";
