#include "modalwindow.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QTimer>

QString modalWindowShownBy(QAction& command)
{
    QString shown;
    // Without a modal window the close never runs; it goes with `guard` instead of later.
    QObject guard;
    QTimer::singleShot(0, &guard, [&shown] {
        QWidget* modal = QApplication::activeModalWidget();
        shown = modal ? modal->objectName() : QString();
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
    });
    command.trigger();
    return shown;
}
