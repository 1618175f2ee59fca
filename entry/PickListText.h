#pragma once

#include <QStringList>
#include <string>

// The values of a pick-list text: cut at every ",", each piece trimmed, empty pieces dropped.
QStringList PickListValues(const std::string& pickList);

// A pick list as the list-editing dialog saves it: the values, trimmed, joined by " ,".
std::string JoinPickList(const QStringList& values);
