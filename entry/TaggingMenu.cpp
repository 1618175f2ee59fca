#include "entry/TaggingMenu.h"

#include "platform/Text.h"
#include "store/Vocabulary.h"

#include <QMenu>
#include <string>

namespace {

void AddCommand(QMenu* menu, const QString& text, int id) {
    QAction* action = menu->addAction(text);
    action->setData(id);
}

} // namespace

QMenu* CreateTaggingMenu(QWidget* parent) {
    auto* menu = new QMenu(parent);
    menu->setObjectName(QStringLiteral("resume"));
    AddCommand(menu, QStringLiteral("Name"), kTagName);
    AddCommand(menu, QStringLiteral("Qualification"), kTagQualification);
    AddCommand(menu, QStringLiteral("Specialization"), kTagSpecialization);
    QMenu* experience = menu->addMenu(QStringLiteral("Experience"));
    for (std::size_t band = 0; band < kExperienceBands.size(); ++band)
        AddCommand(experience, ToQt(std::string(kExperienceBands[band])), kExperienceCommands[band]);
    AddCommand(menu, QStringLiteral("E-Mail"), kTagEmail);
    AddCommand(menu, QStringLiteral("Location"), kTagLocation);
    AddCommand(menu, QStringLiteral("Organization"), kTagOrganization);
    return menu;
}
