#include "app/ScreenCheck.h"

#include "PromptRecorder.h"

#include <QTest>

class TestScreenCheck : public QObject
{
    Q_OBJECT
private slots:
    void screenSize_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<bool>("starts");
        QTest::newRow("1024x768") << 1024 << 768 << true;
        QTest::newRow("1920x1080") << 1920 << 1080 << true;
        QTest::newRow("1023 wide") << 1023 << 768 << false;
        QTest::newRow("767 high") << 1024 << 767 << false;
    }

    void screenSize()
    {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(bool, starts);
        PromptRecorder prompts;
        QCOMPARE(ScreenCheck::passes(width, height, prompts), starts);
        const QStringList expected =
            starts ? QStringList{}
                   : QStringList{QStringLiteral("Screen size must be 1024x768 or Greater..")};
        QCOMPARE(prompts.messages, expected);
    }
};

QTEST_GUILESS_MAIN(TestScreenCheck)
#include "TestScreenCheck.moc"
