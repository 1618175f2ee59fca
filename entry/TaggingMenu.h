#pragma once

#include <QString>
#include <array>

class QMenu;
class QWidget;

// The command ids of the tagging menu "resume".
enum TaggingCommand : int {
    kTagName = 32775,
    kTagQualification = 32776,
    kTagSpecialization = 32777,
    kTagEmail = 32779,
    kTagLocation = 32772,
    kTagOrganization = 32829,
};

// The seven experience items, in the order of the experience vocabulary.
inline constexpr std::array<int, 7> kExperienceCommands{32828, 32792, 32793, 32794, 32795, 32796, 32797};

// A fresh copy of the tagging menu, with no check marks. Each action carries its command id
// as its data.
QMenu* CreateTaggingMenu(QWidget* parent);
