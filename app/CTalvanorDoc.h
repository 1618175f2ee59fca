#pragma once

#include <QObject>
#include <string>

// The document the single-window design needs. It holds nothing, so it never changes and
// there is never anything to save or to ask about.
class CTalvanorDoc : public QObject {
    Q_OBJECT

public:
    explicit CTalvanorDoc(QObject* parent = nullptr);

    // A fresh empty document.
    void OnNewDocument();
    // Reads nothing from the file but insists that it can be read. False when it cannot.
    bool OnOpenDocument(const std::string& path);
    // There is nothing to write; no file is ever touched.
    bool OnSaveDocument();

    const std::string& PathName() const { return m_pathName; }

private:
    std::string m_pathName;
};
