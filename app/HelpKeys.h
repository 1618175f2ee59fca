#pragma once

#include <QObject>
#include <string>

class QWidget;

// The guide's page and section for a window: each dialog has its own; a window of the toolkit's
// (a file chooser, a progress box) takes its owner's; message boxes the messages chapter; the
// main window and anything else the guide's start.
std::string HelpPageFor(const QWidget* window);

// F1 anywhere in the program opens the guide at the section of the window it was pressed in.
// Installed on the application; the key goes no further.
class HelpKeyFilter final : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// The property a window sets to the guide's page for it ("backups.html#restoring-a-backup") when
// its class does not tell it.
inline constexpr const char* kHelpPageProperty = "talvanorHelpPage";
