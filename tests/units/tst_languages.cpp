#include "languages.h"

#include <QTest>

class TestLanguages : public QObject
{
    Q_OBJECT

private slots:
    void languageCodeOfTag_data();
    void languageCodeOfTag();
};

void TestLanguages::languageCodeOfTag_data()
{
    QTest::addColumn<QByteArray>("tag");
    QTest::addColumn<int>("code");

    QTest::newRow("pl") << QByteArray("pl") << 0;
    QTest::newRow("PL") << QByteArray("PL") << 0;
    QTest::newRow("mixed case pL") << QByteArray("pL") << 0;
    QTest::newRow("blanks and tabs around") << QByteArray(" \tpl \t") << 0;
    QTest::newRow("control characters around") << QByteArray("\x01pl\x1f") << 0;
    QTest::newRow("en") << QByteArray("en") << 1;
    QTest::newRow("De") << QByteArray("De") << 2;
    QTest::newRow("it") << QByteArray("it") << 3;
    QTest::newRow("se") << QByteArray("se") << 4;
    QTest::newRow("nl is 5, not alphabetical") << QByteArray("nl") << 5;
    QTest::newRow("es is 6, not alphabetical") << QByteArray("es") << 6;
    QTest::newRow("fi") << QByteArray("fi") << 7;
    QTest::newRow("fr") << QByteArray("fr") << 8;

    QTest::newRow("empty") << QByteArray() << -1;
    QTest::newRow("blanks only") << QByteArray("   ") << -1;
    QTest::newRow("three letters") << QByteArray("pol") << -1;
    QTest::newRow("region part") << QByteArray("en-GB") << -1;
    QTest::newRow("blank inside") << QByteArray("p l") << -1;
    QTest::newRow("unknown") << QByteArray("xx") << -1;
    QTest::newRow("no-break space is not trimmed") << QByteArray("pl\xC2\xA0") << -1;
    // Only a to z are upper-cased: dotless i and the fi ligature must not become "IT" and "FI".
    QTest::newRow("dotless i") << QByteArray("\xC4\xB1t") << -1;
    QTest::newRow("fi ligature") << QByteArray("\xEF\xAC\x81") << -1;
}

void TestLanguages::languageCodeOfTag()
{
    QFETCH(QByteArray, tag);
    QFETCH(int, code);
    QCOMPARE(StringToLanguageCode(tag), code);
}

QTEST_GUILESS_MAIN(TestLanguages)
#include "tst_languages.moc"
