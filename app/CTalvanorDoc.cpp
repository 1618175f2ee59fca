#include "app/CTalvanorDoc.h"

#include "platform/Text.h"

#include <QFile>

CTalvanorDoc::CTalvanorDoc(QObject* parent) : QObject(parent) {}

void CTalvanorDoc::OnNewDocument() {
    m_pathName.clear();
}

bool CTalvanorDoc::OnOpenDocument(const std::string& path) {
    QFile file(ToQt(path));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    m_pathName = path;
    return true;
}

bool CTalvanorDoc::OnSaveDocument() {
    // Writing the empty document out would only wipe whatever file it was opened from.
    return true;
}
