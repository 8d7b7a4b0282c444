#include "application.h"

#include "shell/errorlog.h"
#include "shell/prompts.h"

#include <exception>
#include <new>

namespace qor {

namespace {

QString nameOf(const QObject* receiver)
{
    const QString name = receiver ? receiver->objectName() : QString();
    return name.isEmpty() && receiver ? QString::fromLatin1(receiver->metaObject()->className()) : name;
}

void report(const QObject* receiver, const QString& description, const QString& message)
{
    WriteErrorLog(description + u' ' + nameOf(receiver));
    prompts().message(QApplication::activeWindow(), message, QStringLiteral("Error"));
}

} // namespace

Application::Application(int& argc, char** argv)
    : QApplication(argc, argv)
{
}

Application::~Application() = default;

bool Application::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::bad_alloc&) {
        report(receiver, QStringLiteral("Out of memory"), QStringLiteral("There is not enough memory to finish the command."));
    } catch (const std::exception& error) {
        const QString what = QString::fromLocal8Bit(error.what());
        report(receiver, what, QStringLiteral("The command was stopped by an error: %1").arg(what));
    }
    return false;
}

} // namespace qor
