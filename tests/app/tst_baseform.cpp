#include "baseform.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTest>

namespace {

QPoint CentredOnScreen(const QWidget &window)
{
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    return {area.x() + (area.width() - window.width()) / 2, area.y() + (area.height() - window.height()) / 2};
}

// A window that places itself in its constructor, after the base window's.
class TPlacedForm : public TBaseForm
{
public:
    TPlacedForm()
    {
        resize(200, 100);
        move(13, 17);
    }
};

} // namespace

class TestBaseForm : public QObject
{
    Q_OBJECT

private slots:
    void opensCentredOnScreenNotOverItsOwner()
    {
        QWidget owner;
        owner.setGeometry(0, 0, 120, 90);
        owner.show();
        TBaseForm form(&owner);
        form.resize(300, 200);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCOMPARE(form.pos(), CentredOnScreen(form));
    }

    void windowWithoutSizeIsCentredAtItsLaidOutSize()
    {
        TBaseForm form;
        form.setMinimumSize(240, 160);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCOMPARE(form.pos(), CentredOnScreen(form));
    }

    void windowThatPlacesItselfKeepsItsPlace()
    {
        TPlacedForm form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCOMPARE(form.pos(), QPoint(13, 17));
    }

    void reusedWindowOpensCentredAgain()
    {
        TBaseForm form;
        form.resize(300, 200);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        form.hide();
        form.move(5, 5);
        form.resize(400, 300);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCOMPARE(form.pos(), CentredOnScreen(form));
    }
};

QTEST_MAIN(TestBaseForm)
#include "tst_baseform.moc"
