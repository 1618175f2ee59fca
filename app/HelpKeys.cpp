#include "app/HelpKeys.h"

#include "app/AboutDialog.h"
#include "app/HelpFile.h"
#include "entry/ResumeInputDialog.h"
#include "entry/TextResumeDialog.h"
#include "entry/ValueListDialog.h"
#include "harvest/DownloadDialog.h"
#include "search/FileViewDialog.h"
#include "search/ResultDialog.h"
#include "search/SearchDialog.h"

#include <QKeyEvent>
#include <QMessageBox>
#include <QVariant>
#include <QWidget>

namespace {

std::string OwnPageOf(const QWidget* window) {
    // A window of our own built from plain Qt parts names its section itself.
    if (const QVariant page = window->property(kHelpPageProperty); page.isValid())
        return page.toString().toStdString();
    if (qobject_cast<const ResumeInputDialog*>(window))
        return "entering.html#the-resume-input-form";
    if (const auto* values = qobject_cast<const ValueListDialog*>(window))
        return values->Choosing() ? "entering.html#choosing-list-values"
                                  : "entering.html#changing-the-pick-lists";
    if (qobject_cast<const TextResumeDialog*>(window))
        return "importing.html#the-text-resume-dialog";
    if (qobject_cast<const SearchDialog*>(window))
        return "searching.html#the-query-form";
    if (qobject_cast<const ResultDialog*>(window))
        return "results.html#the-result-window";
    if (qobject_cast<const FileViewDialog*>(window))
        return "results.html#reading-a-resume";
    if (qobject_cast<const AboutDialog*>(window))
        return "index.html#about-talvanor";
    if (qobject_cast<const DownloadDialog*>(window))
        return "index.html";
    if (qobject_cast<const QMessageBox*>(window))
        return "messages.html";
    return {};
}

} // namespace

std::string HelpPageFor(const QWidget* window) {
    for (const QWidget* shown = window; shown != nullptr; shown = shown->parentWidget()) {
        shown = shown->window();
        if (std::string page = OwnPageOf(shown); !page.empty())
            return page;
    }
    return "index.html";
}

bool HelpKeyFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || static_cast<QKeyEvent*>(event)->key() != Qt::Key_F1 ||
        static_cast<QKeyEvent*>(event)->modifiers() != Qt::NoModifier || !watched->isWidgetType())
        return QObject::eventFilter(watched, event);
    // Held down, the key opens the guide once.
    if (!static_cast<QKeyEvent*>(event)->isAutoRepeat())
        LaunchHelp(HelpPageFor(static_cast<QWidget*>(watched)->window()));
    return true;
}
