#pragma once

#include <QObject>
#include <memory>
#include <string>
#include <vector>

class QLocalServer;

// Files named to a second start of the program go to the one already running on the same data
// folder, over a local socket only the user can reach.

// The socket's name for a data folder: in the user's runtime folder where there is one.
std::string HandOffName(const std::string& dataFolder);

// Hands the files to the program listening on `name`. True once it has taken them; false when
// none listens or it does not answer in time.
bool HandToRunningProgram(const std::string& name, const std::vector<std::string>& files);

// Takes the files later starts hand over, for as long as it lives.
class HandOffServer final : public QObject {
    Q_OBJECT

public:
    explicit HandOffServer(QObject* parent = nullptr);
    ~HandOffServer() override;

    // Starts listening; false when another program already does (then this one takes nothing),
    // or the socket cannot be made. A socket left behind by a program that ended is replaced.
    bool Listen(const std::string& name);

signals:
    void FilesHandedOver(const std::vector<std::string>& files);

private:
    void TakeConnection();

    std::unique_ptr<QLocalServer> m_server;
};
