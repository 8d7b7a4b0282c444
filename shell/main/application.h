#pragma once

#include <QApplication>

namespace qor {

// The viewer's application object. It is the last boundary of every command: an exception that a
// window's handler did not stop itself is written to the error log and told to the user instead of
// escaping into the event loop (which would end the program). Commands that can restore what they
// changed (the open command) stop their exceptions themselves, before they get here.
class Application final : public QApplication {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Application)

  public:
    Application(int& argc, char** argv);
    ~Application() override;

    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace qor
