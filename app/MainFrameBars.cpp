// The main window's menu bar, toolbar and status bar.
#include "app/AppResources.h"
#include "app/CMainFrame.h"
#include "app/CommandIds.h"
#include "app/CommandTexts.h"
#include "platform/Text.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QPointer>
#include <QProxyStyle>
#include <QStatusBar>
#include <QToolBar>
#include <array>

namespace {

struct MenuItem {
    int commandId; // 0 for a separator
    const char* caption;
};

struct Popup {
    const char* caption;
    std::vector<MenuItem> items;
};

const std::vector<Popup>& MenuBarLayout() {
    static const std::vector<Popup> layout = {
        {"&AddResume ",
         {{kCommandManually, "&Manually"},
          {kCommandFromTextFile, "From  &Text File"},
          {kCommandFromWebsite, "From &Website"},
          {0, nullptr},
          {kCommandBackUpNow, "&Back Up Now"},
          {kCommandRestoreBackup, "&Restore from Backup..."},
          {kCommandBackupFolder, "Backup &Folder..."},
          {kCommandCheckBank, "C&heck the Bank"},
          {0, nullptr},
          {kCommandExit, "E&xit"}}},
        {"Tal&vanoring",
         {{kCommandQueryForm, "&Query Form"},
          {0, nullptr},
          {kCommandAllRecords, "&All Records"},
          {kCommandFindDuplicates, "Find &Duplicates"}}},
        {"&Change",
         {{kCommandChangeQualification, "Q&ualification"},
          {kCommandChangeSpecialization, "&Specialization"},
          {kCommandChangeLocation, "&Location Preference"}}},
        {"&Help", {{kCommandHelpTopics, "&Help Topics"}, {kCommandAbout, "A&bout Talvanor"}}},
    };
    return layout;
}

// The toolbar's buttons in order, 0 for a separator; images come from the strip in the same order.
constexpr std::array<int, 13> kToolBarLayout = {kCommandManually,
                                                kCommandFromTextFile,
                                                kCommandFromWebsite,
                                                0,
                                                kCommandQueryForm,
                                                kCommandAllRecords,
                                                0,
                                                kCommandChangeQualification,
                                                kCommandChangeSpecialization,
                                                kCommandChangeLocation,
                                                0,
                                                kCommandHelpTopics,
                                                kCommandAbout};

constexpr int kButtonSize = 32;

// Keys of the document and print commands; none of the program's own commands has a key.
struct KeyedCommand {
    int commandId;
    QKeySequence::StandardKey key;
};
constexpr std::array<KeyedCommand, 4> kKeyedCommands = {{{kCommandFileNew, QKeySequence::New},
                                                         {kCommandFileOpen, QKeySequence::Open},
                                                         {kCommandFileSave, QKeySequence::Save},
                                                         {kCommandPrint, QKeySequence::Print}}};
// Reachable by id only: print setup, direct print and print preview.
constexpr std::array<int, 3> kUnboundCommands = {kCommandPrintSetup, kCommandPrintDirect,
                                                 kCommandPrintPreview};

void ApplyPrompt(QAction& action, int commandId) {
    const std::string prompt = CommandPromptString(commandId);
    action.setStatusTip(ToQt(StatusPrompt(prompt)));
    action.setToolTip(ToQt(ToolTipText(prompt)));
}

// Greyed menu items can still be pointed at, so their prompt shows like every other item's.
class PointableMenuStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_Menu_AllowActiveAndDisabled)
            return 1;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

// One for all menus, owned by the application so it outlives every menu that uses it.
QStyle* MenuStyle() {
    static QPointer<QStyle> style;
    if (style.isNull()) {
        style = new PointableMenuStyle(QApplication::style()->name());
        style->setParent(QCoreApplication::instance());
    }
    return style;
}

QLabel* IndicatorPane(const char* text, QWidget* parent) {
    auto* pane = new QLabel(QString::fromLatin1(text), parent);
    pane->setFrameShape(QFrame::Panel);
    pane->setFrameShadow(QFrame::Sunken);
    pane->setAlignment(Qt::AlignCenter);
    pane->setMinimumWidth(pane->fontMetrics().horizontalAdvance(QStringLiteral("SCRL")) + 12);
    // The lock states cannot be read here, so the indicators stay dimmed.
    pane->setEnabled(false);
    return pane;
}

} // namespace

void CMainFrame::CreateMenus() {
    for (const Popup& popup : MenuBarLayout()) {
        QMenu* menu = menuBar()->addMenu(QString::fromLatin1(popup.caption));
        menu->setStyle(MenuStyle());
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommands);
        for (const MenuItem& item : popup.items) {
            if (item.commandId == 0) {
                menu->addSeparator();
                continue;
            }
            QAction* action = AddCommand(item.commandId, QString::fromLatin1(item.caption));
            ApplyPrompt(*action, item.commandId);
            menu->addAction(action);
        }
    }
    for (const KeyedCommand& keyed : kKeyedCommands) {
        QAction* action = AddCommand(keyed.commandId, QString());
        action->setShortcut(keyed.key);
        addAction(action);
    }
    for (int commandId : kUnboundCommands)
        AddCommand(commandId, QString());
}

bool CMainFrame::CreateToolBar() {
    const QPixmap strip(kToolbarStripPath);
    if (strip.isNull() || strip.height() != kButtonSize)
        return false;
    auto* toolBar = new QToolBar(QStringLiteral("Standard"), this);
    toolBar->setObjectName(QStringLiteral("toolBar"));
    toolBar->setIconSize(QSize(kButtonSize, kButtonSize));
    toolBar->setMovable(true);
    toolBar->setAllowedAreas(Qt::AllToolBarAreas);
    int image = 0;
    for (int commandId : kToolBarLayout) {
        if (commandId == 0) {
            toolBar->addSeparator();
            continue;
        }
        QAction* action = CommandAction(commandId);
        if (action == nullptr || (image + 1) * kButtonSize > strip.width())
            return false;
        action->setIcon(QIcon(strip.copy(image * kButtonSize, 0, kButtonSize, kButtonSize)));
        toolBar->addAction(action);
        ++image;
    }
    addToolBar(Qt::TopToolBarArea, toolBar);
    return true;
}

bool CMainFrame::CreateStatusBar() {
    QStatusBar* bar = statusBar();
    // A normal widget is hidden while a prompt shows and comes back when it clears.
    auto* ready = new QLabel(QStringLiteral("Ready"), bar);
    ready->setObjectName(QStringLiteral("readyPane"));
    bar->addWidget(ready, 1);
    for (const char* indicator : {"CAP", "NUM", "SCRL"})
        bar->addPermanentWidget(IndicatorPane(indicator, bar));
    return true;
}
