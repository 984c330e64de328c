#include "unitsdictionaryframe.h"

#include "strconv.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QTest>

#include <memory>

using namespace Unitsconverter;

namespace {

TUnit *NewUnit(const QString &sysId, const QString &polishName, const QString &symbol)
{
    auto *unit = new TUnit;
    unit->SysId = sysId;
    auto *name = new TUnitName;
    name->Lang = 0;
    name->Value = polishName;
    unit->Names.Add(name);
    unit->Symbols.Add(new TUnitSymbol(symbol));
    unit->BaseUnits = 1;
    return unit;
}

} // namespace

class TestUnitsDictionaryFrame : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void listsVolumeUnitsInTableOrderWithNothingSelected();
    void selectsByUnitNotByText();
    void keepsSelectionForUnknownOrNullUnit_data();
    void keepsSelectionForUnknownOrNullUnit();
    void refillingClearsSelection();
    void notifiesOnlyUsersChoice();
    void usersChoiceWithoutHandlerOnlySelects();
    void listFollowsFrameWidth();

private:
    std::unique_ptr<TVolumeUnitsConverter> FVolume;
    // Two units with the same display name, and one of another table.
    TUnitsList FTwins;
    TUnitsList FOther;
    std::unique_ptr<TUnitsDictionaryFrame> FFrame;
};

void TestUnitsDictionaryFrame::initTestCase()
{
    InitStrConv(QCoreApplication::applicationDirPath().toLocal8Bit() + "/strconv.so");
    FVolume = std::make_unique<TVolumeUnitsConverter>();
    FTwins.Add(NewUnit(QStringLiteral("a"), QStringLiteral("beczka"), QStringLiteral("bbl")));
    FTwins.Add(NewUnit(QStringLiteral("b"), QStringLiteral("beczka"), QStringLiteral("bbl")));
    FOther.Add(NewUnit(QStringLiteral("l"), QStringLiteral("litr"), QStringLiteral("l")));
}

void TestUnitsDictionaryFrame::init()
{
    FFrame = std::make_unique<TUnitsDictionaryFrame>();
    FFrame->Units = FVolume->Units.get();
    FFrame->FillUnits();
}

void TestUnitsDictionaryFrame::cleanup()
{
    FFrame.reset();
}

void TestUnitsDictionaryFrame::listsVolumeUnitsInTableOrderWithNothingSelected()
{
    const QStringList expected{
        QStringLiteral("mikrolitr (μl)"),
        QStringLiteral("mililitr (ml)"),
        QStringLiteral("centylitr (cl)"),
        QStringLiteral("decylitr (dl)"),
        QStringLiteral("litr (l)"),
        QStringLiteral("dekalitr (dal)"),
        QStringLiteral("hektolitr (hl)"),
        QStringLiteral("metr sześcienny (m³)"),
        QStringLiteral("pinta angielska (imp. pt)"),
        QStringLiteral("pinta amerykańska płyny (US liquid pt)"),
        QStringLiteral("pinta amerykańska sypkie (US dry pt)"),
        QStringLiteral("kwarta angielska (imp. qt)"),
        QStringLiteral("kwarta amerykańska płyny (US liquid qt)"),
        QStringLiteral("kwarta amerykańska sypkie (US dry qt)"),
        QStringLiteral("galon angielski (imp. gal)"),
        QStringLiteral("galon amerykański płyny (US liquid gal)"),
        QStringLiteral("galon amerykański sypkie (US dry gal)"),
        QStringLiteral("uncja objętości angielska (imp. fl oz)"),
        QStringLiteral("uncja objętości amerykańska zwycz. (US fl oz customary)"),
        QStringLiteral("uncja objętości amerykańska etykiety (US fl oz labels)"),
    };
    QStringList listed;
    for (int i = 0; i < FFrame->CBUnits->count(); ++i)
        listed << FFrame->CBUnits->itemText(i);
    QCOMPARE(listed, expected);
    QCOMPARE(FFrame->CBUnits->currentIndex(), -1);
    QCOMPARE(FFrame->GetSelectedUnit(), nullptr);

    TUnit *gallon = FVolume->Units->FindBySysId(QStringLiteral("imp_gal"));
    FFrame->SelectUnit(gallon);
    QCOMPARE(FFrame->GetSelectedUnit(), gallon);
    QCOMPARE(FFrame->CBUnits->currentText(), QStringLiteral("galon angielski (imp. gal)"));
}

void TestUnitsDictionaryFrame::selectsByUnitNotByText()
{
    FFrame->Units = &FTwins;
    FFrame->FillUnits();
    QCOMPARE(FFrame->CBUnits->itemText(0), FFrame->CBUnits->itemText(1));

    FFrame->SelectUnit(FTwins.Items(1));
    QCOMPARE(FFrame->CBUnits->currentIndex(), 1);
    QCOMPARE(FFrame->GetSelectedUnit(), FTwins.Items(1));
    FFrame->SelectUnit(FTwins.Items(0));
    QCOMPARE(FFrame->GetSelectedUnit(), FTwins.Items(0));
}

void TestUnitsDictionaryFrame::keepsSelectionForUnknownOrNullUnit_data()
{
    QTest::addColumn<bool>("null");
    QTest::newRow("null") << true;
    QTest::newRow("unit of another table with the same sysId") << false;
}

void TestUnitsDictionaryFrame::keepsSelectionForUnknownOrNullUnit()
{
    QFETCH(bool, null);
    TUnit *litre = FVolume->Units->FindBySysId(QStringLiteral("l"));
    FFrame->SelectUnit(litre);

    FFrame->SelectUnit(null ? nullptr : FOther.Items(0));
    QCOMPARE(FFrame->GetSelectedUnit(), litre);
}

void TestUnitsDictionaryFrame::refillingClearsSelection()
{
    FFrame->SelectUnit(FVolume->Units->FindBySysId(QStringLiteral("ml")));
    FFrame->FillUnits();
    QCOMPARE(FFrame->CBUnits->count(), FVolume->Units->Count());
    QCOMPARE(FFrame->GetSelectedUnit(), nullptr);

    FFrame->Units = nullptr;
    FFrame->FillUnits();
    QCOMPARE(FFrame->CBUnits->count(), 0);
    QCOMPARE(FFrame->GetSelectedUnit(), nullptr);
}

void TestUnitsDictionaryFrame::notifiesOnlyUsersChoice()
{
    QList<TUnitsDictionaryFrame *> senders;
    FFrame->OnUnitSelect = [&](TUnitsDictionaryFrame *sender) { senders << sender; };
    FFrame->show();
    QVERIFY(QTest::qWaitForWindowExposed(FFrame.get()));

    FFrame->SelectUnit(FVolume->Units->FindBySysId(QStringLiteral("l")));
    FFrame->FillUnits();
    FFrame->SelectUnit(FVolume->Units->FindBySysId(QStringLiteral("l")));
    QVERIFY(senders.isEmpty());

    QTest::keyClick(FFrame->CBUnits, Qt::Key_Down);
    QCOMPARE(senders, QList<TUnitsDictionaryFrame *>{FFrame.get()});
    QCOMPARE(FFrame->GetSelectedUnit(), FVolume->Units->FindBySysId(QStringLiteral("dal")));
}

void TestUnitsDictionaryFrame::usersChoiceWithoutHandlerOnlySelects()
{
    FFrame->show();
    QVERIFY(QTest::qWaitForWindowExposed(FFrame.get()));
    FFrame->SelectUnit(FVolume->Units->FindBySysId(QStringLiteral("l")));

    QTest::keyClick(FFrame->CBUnits, Qt::Key_Up);
    QCOMPARE(FFrame->GetSelectedUnit(), FVolume->Units->FindBySysId(QStringLiteral("dl")));
}

void TestUnitsDictionaryFrame::listFollowsFrameWidth()
{
    FFrame->setGeometry(0, 0, 186, 28);
    FFrame->show();
    QVERIFY(QTest::qWaitForWindowExposed(FFrame.get()));
    QCOMPARE(FFrame->CBUnits->geometry(), QRect(0, 0, 186, 22));
}

QTEST_MAIN(TestUnitsDictionaryFrame)
#include "tst_unitsdictionaryframe.moc"
