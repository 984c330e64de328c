#include "goonlineframe.h"

#include "desktop.h"

#include <QLabel>
#include <QTest>

class TestGoOnlineFrame : public QObject
{
    Q_OBJECT

private slots:
    void clickOpensWebVersionOfCalculator_data();
    void clickOpensWebVersionOfCalculator();
};

void TestGoOnlineFrame::clickOpensWebVersionOfCalculator_data()
{
    QTest::addColumn<int>("calcType");
    QTest::addColumn<QString>("address");
    QTest::newRow("left at 0") << 0 << "https://zelvano.pl/kalkulatory/online/runcalc.php?id=0";
    QTest::newRow("this calculator") << 24 << "https://zelvano.pl/kalkulatory/online/runcalc.php?id=24";
    QTest::newRow("largest number") << 255 << "https://zelvano.pl/kalkulatory/online/runcalc.php?id=255";
}

void TestGoOnlineFrame::clickOpensWebVersionOfCalculator()
{
    QFETCH(int, calcType);
    QFETCH(QString, address);
    QStringList opened;
    SetOpenUrlHook([&](const QString &url) { opened << url; });
    TGoOnlineFrame frame;
    QCOMPARE(frame.CalcType, quint8(0));
    QCOMPARE(frame.LLink->text(), QStringLiteral("Kliknij tutaj, aby przejść do wersji on-line"));
    frame.CalcType = static_cast<quint8>(calcType);
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));

    QTest::mouseClick(frame.LLink, Qt::LeftButton);
    SetOpenUrlHook({});
    QCOMPARE(opened, QStringList{address});
}

QTEST_MAIN(TestGoOnlineFrame)
#include "tst_goonlineframe.moc"
