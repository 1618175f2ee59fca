#include "platform/InstanceHandOff.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <unistd.h>

namespace {

constexpr int kConnectWaitMs = 1000;
// The running program answers from its event loop, which also turns while a dialog is open.
constexpr int kAnswerWaitMs = 10000;
constexpr char kTaken = '1';

using FileList = QList<QByteArray>;

} // namespace

std::string HandOffName(const std::string& dataFolder) {
    // One name per user and data folder: the folder's path can be long, so its digest stands in.
    const QByteArray key =
        QByteArray::number(static_cast<qulonglong>(getuid())) + '\n' + QByteArray::fromStdString(dataFolder);
    const QByteArray digest = QCryptographicHash::hash(key, QCryptographicHash::Sha1).toHex().left(16);
    const QString name = QStringLiteral("talvanor-") + QString::fromLatin1(digest);
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return (runtime.isEmpty() ? name : QDir(runtime).filePath(name)).toStdString();
}

bool HandToRunningProgram(const std::string& name, const std::vector<std::string>& files) {
    QLocalSocket socket;
    socket.connectToServer(QString::fromStdString(name));
    if (!socket.waitForConnected(kConnectWaitMs))
        return false;
    FileList list;
    for (const std::string& file : files)
        list.append(QByteArray::fromStdString(file));
    QByteArray message;
    QDataStream out(&message, QIODevice::WriteOnly);
    out << list;
    socket.write(message);
    if (!socket.waitForBytesWritten(kAnswerWaitMs))
        return false;
    while (socket.bytesAvailable() == 0) {
        if (!socket.waitForReadyRead(kAnswerWaitMs))
            return false;
    }
    return socket.read(1) == QByteArray(1, kTaken);
}

HandOffServer::HandOffServer(QObject* parent) : QObject(parent) {}

HandOffServer::~HandOffServer() = default;

bool HandOffServer::Listen(const std::string& name) {
    const QString serverName = QString::fromStdString(name);
    // Made for the user alone, the socket takes the place of any file of its name: so whether
    // another program listens is asked first. A socket left by a program that ended goes.
    QLocalSocket probe;
    probe.connectToServer(serverName);
    if (probe.waitForConnected(kConnectWaitMs))
        return false;
    QLocalServer::removeServer(serverName);
    auto server = std::make_unique<QLocalServer>();
    server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server->listen(serverName))
        return false;
    connect(server.get(), &QLocalServer::newConnection, this, &HandOffServer::TakeConnection);
    m_server = std::move(server);
    return true;
}

void HandOffServer::TakeConnection() {
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        auto stream = std::make_shared<QDataStream>(socket);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket, stream] {
            // The list may come in pieces: read it only once it is whole.
            stream->startTransaction();
            FileList list;
            *stream >> list;
            if (!stream->commitTransaction())
                return;
            socket->write(QByteArray(1, kTaken));
            socket->flush();
            std::vector<std::string> files;
            for (const QByteArray& file : list)
                files.push_back(file.toStdString());
            emit FilesHandedOver(files);
        });
    }
}
