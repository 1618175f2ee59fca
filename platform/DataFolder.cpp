#include "platform/DataFolder.h"

#include "platform/Text.h"

#include <QStandardPaths>

const std::string& DataFolder() {
    static const std::string folder =
        FromQt(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)) + "/talvanor/";
    return folder;
}
