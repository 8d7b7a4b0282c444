// The application object as the last boundary of every command.
#include "shell/apppath.h"
#include "shell/main/application.h"
#include "support/fixtures.h"
#include "support/scriptedprompts.h"

#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <new>
#include <stdexcept>

using namespace qor;

class TestApplication : public QObject {
    Q_OBJECT

  private:
    QTemporaryDir m_dir;
    ScriptedPrompts* m_prompts = nullptr;

    QString errorLog() const { return QString::fromUtf8(fixtures::contents(m_dir.filePath("TraceReader.log"))); }

  private Q_SLOTS:
    void init()
    {
        setAppPath(m_dir.path());
        QFile::remove(m_dir.filePath("TraceReader.log"));
        m_prompts = &ScriptedPrompts::install();
    }

    // A handler that fails is logged and told; the program goes on, and the next click works.
    void aFailingHandlerIsLoggedAndToldAndTheProgramGoesOn()
    {
        QPushButton button(QStringLiteral("Statistics"));
        button.setObjectName(QStringLiteral("Command2"));
        int clicks = 0;
        connect(&button, &QPushButton::clicked, this, [&] {
            if (++clicks == 1)
                throw std::out_of_range("file slot 4 is outside 1..3");
        });
        button.show();
        QVERIFY(QTest::qWaitForWindowExposed(&button));
        QTest::mouseClick(&button, Qt::LeftButton);
        QCOMPARE(m_prompts->messages.size(), 1);
        QCOMPARE(m_prompts->messages[0].title, "Error");
        QVERIFY(m_prompts->messages[0].text.contains(u"file slot 4 is outside 1..3"));
        QVERIFY(errorLog().contains(u"file slot 4 is outside 1..3 Command2"));
        QTest::mouseClick(&button, Qt::LeftButton);
        QCOMPARE(clicks, 2);
        QCOMPARE(m_prompts->messages.size(), 1);
    }

    void anAllocationFailureSaysSo()
    {
        QPushButton button;
        connect(&button, &QPushButton::clicked, this, [] { throw std::bad_alloc(); });
        button.show();
        QVERIFY(QTest::qWaitForWindowExposed(&button));
        QTest::mouseClick(&button, Qt::LeftButton);
        QCOMPARE(m_prompts->messages.size(), 1);
        QVERIFY(m_prompts->messages[0].text.contains(u"not enough memory"));
        QVERIFY(errorLog().contains(u"Out of memory QPushButton"));
    }
};

int main(int argc, char* argv[])
{
    Application app(argc, argv);
    TestApplication test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_application.moc"
