#include "platform/MailLibrary.h"

#include "platform/Text.h"

#include <QEventLoop>
#include <QProcess>
#include <QStandardPaths>

namespace {
constexpr const char* kMailHandOff = "xdg-email";

bool HasDesktop() {
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}
} // namespace

std::unique_ptr<MailLibrary> MailLibrary::Load() {
    const QString program = QStandardPaths::findExecutable(QString::fromLatin1(kMailHandOff));
    if (program.isEmpty())
        return nullptr;
    return std::unique_ptr<MailLibrary>(new MailLibrary(FromQt(program)));
}

int MailLibrary::Logon(unsigned long& session) {
    if (!HasDesktop())
        return kMailLoginFailure;
    session = ++m_session;
    return kMailSuccess;
}

int MailLibrary::SendMail(unsigned long session, const std::string& address) {
    if (session == 0 || session != m_session)
        return kMailInvalidSession;
    if (!IsSafeMailAddress(address))
        return kMailBadRecipient;

    // One argument, no shell: the address cannot become a second argument or a command.
    QProcess handOff;
    handOff.setProcessChannelMode(QProcess::ForwardedChannels);
    QEventLoop waiting;
    QObject::connect(&handOff, &QProcess::finished, &waiting, &QEventLoop::quit);
    QObject::connect(&handOff, &QProcess::errorOccurred, &waiting, [&waiting](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            waiting.quit();
    });
    handOff.start(ToQt(m_program), {ToQt(address)});
    if (handOff.state() != QProcess::NotRunning)
        waiting.exec(QEventLoop::ExcludeUserInputEvents);

    if (handOff.error() == QProcess::FailedToStart || handOff.exitStatus() != QProcess::NormalExit) {
        m_lastExitCode = -1;
        return kMailFailure;
    }
    m_lastExitCode = handOff.exitCode();
    return m_lastExitCode == 0 ? kMailSuccess : kMailFailure;
}

void MailLibrary::Logoff(unsigned long session) {
    if (session == m_session)
        m_session = 0;
}

bool IsSafeMailAddress(const std::string& address) {
    if (address.empty() || address.front() == '-')
        return false;
    // A "mailto:" text is taken as a link whose fields (an attachment among them) the client obeys.
    return !ToQt(address).startsWith(QLatin1String("mailto:"), Qt::CaseInsensitive);
}
