#include "modalwindow.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QTimer>

QString modalWindowShownBy(QAction& command)
{
    QString shown;
    QTimer::singleShot(0, [&shown] {
        QWidget* modal = QApplication::activeModalWidget();
        shown = modal ? modal->objectName() : QString();
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
    });
    command.trigger();
    return shown;
}
