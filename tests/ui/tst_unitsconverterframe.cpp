#include "unitsconverterframe.h"

#include "calcdocpreprocessor.h"
#include "currentprinter.h"
#include "exception.h"
#include "modalboxwatcher.h"
#include "printresultsframe.h"
#include "strconv.h"
#include "unitsdictionaryframe.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTest>

#include <memory>

using namespace Unitsconverter;

class TestUnitsConverterFrame : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void startsWithDefaultUnitsZerosAndNoDocument();
    void enterConvertsWithAnyModifiers_data();
    void enterConvertsWithAnyModifiers();
    void rewritesSourceAsRead_data();
    void rewritesSourceAsRead();
    void refusesNonPositiveValue_data();
    void refusesNonPositiveValue();
    void letsBadDigitGroupEscapeUnchanged();
    void otherKeysOnlyEdit();
    void revertSwapsTextsAndUnits();
    void revertWithZeroDestinationResetsBoth();
    void usersUnitChoiceDropsResult();
    void editingSourceDropsResult();
    void calculatingTwiceGivesSameDocument();
    void missingDefaultUnitLeavesListEmptyAndAsksForUnit();

private:
    // "10" typed and "OBLICZ" pressed with the defaults.
    void ConvertTenGallons();
    void ExpectNoResult();
    bool ButtonsEnabled() const
    {
        const TPrintResultsFrame *print = FFrame->PrintResultsFrame;
        return print->BPrinter->isEnabled() && print->BPreview->isEnabled() && print->BPrint->isEnabled();
    }
    TUnit *Unit(const char *sysId) const { return FConverter->Units->FindBySysId(QString::fromLatin1(sysId)); }

    std::unique_ptr<TVolumeUnitsConverter> FConverter;
    std::unique_ptr<TUnitsConverterFrame> FFrame;
};

void TestUnitsConverterFrame::initTestCase()
{
    InitStrConv(QCoreApplication::applicationDirPath().toLocal8Bit() + "/strconv.so");
    InstallCurrentPrinter();
    SetDocumentClock([] { return QDateTime(QDate(2025, 3, 14), QTime(15, 9, 26)); });
    FConverter = std::make_unique<TVolumeUnitsConverter>();
}

void TestUnitsConverterFrame::init()
{
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    FFrame = std::make_unique<TUnitsConverterFrame>();
    FFrame->Converter = FConverter.get();
    FFrame->DefaultSrcSysId = QStringLiteral("imp_gal");
    FFrame->DefaultDstSysId = QStringLiteral("l");
    FFrame->DocTitle = QStringLiteral("Konwersja jednostek objętości");
    FFrame->show();
    QApplication::setActiveWindow(FFrame.get());
    QVERIFY(QTest::qWaitForWindowActive(FFrame.get()));
    FFrame->InitConverter();
    FFrame->ESrcValue->setFocus();
}

void TestUnitsConverterFrame::cleanup()
{
    FFrame.reset();
}

void TestUnitsConverterFrame::cleanupTestCase()
{
    SetDocumentClock({});
    QLocale::setDefault(QLocale::c());
}

void TestUnitsConverterFrame::ConvertTenGallons()
{
    FFrame->ESrcValue->setText(QStringLiteral("10"));
    QTest::mouseClick(FFrame->BCalculate, Qt::LeftButton);
    QCOMPARE(FFrame->EDstValue->text(), QStringLiteral("45,4609"));
}

void TestUnitsConverterFrame::ExpectNoResult()
{
    QCOMPARE(FFrame->EDstValue->text(), QStringLiteral("0"));
    QVERIFY(FFrame->PrintResultsFrame->Script.isEmpty());
    QVERIFY(!ButtonsEnabled());
}

void TestUnitsConverterFrame::startsWithDefaultUnitsZerosAndNoDocument()
{
    QCOMPARE(FFrame->SrcUnitFrame->CBUnits->currentText(), QStringLiteral("galon angielski (imp. gal)"));
    QCOMPARE(FFrame->DstUnitFrame->CBUnits->currentText(), QStringLiteral("litr (l)"));
    QCOMPARE(FFrame->ESrcValue->text(), QStringLiteral("0"));
    ExpectNoResult();
    QCOMPARE(FFrame->LUnitsRelation->text(), QStringLiteral("1 imp. gal = 4,54609 l"));
}

void TestUnitsConverterFrame::enterConvertsWithAnyModifiers_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("Enter") << int(Qt::Key_Return) << int(Qt::NoModifier);
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier);
    QTest::newRow("Shift+Enter") << int(Qt::Key_Return) << int(Qt::ShiftModifier);
    QTest::newRow("Ctrl+Enter") << int(Qt::Key_Return) << int(Qt::ControlModifier);
    QTest::newRow("Alt+Enter") << int(Qt::Key_Return) << int(Qt::AltModifier);
}

void TestUnitsConverterFrame::enterConvertsWithAnyModifiers()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    FFrame->ESrcValue->clear();
    QTest::keyClicks(FFrame->ESrcValue, QStringLiteral("10"));
    QTest::keyClick(FFrame->ESrcValue, Qt::Key(key), Qt::KeyboardModifiers(modifiers));

    QCOMPARE(FFrame->ESrcValue->text(), QStringLiteral("10"));
    QCOMPARE(FFrame->EDstValue->text(), QStringLiteral("45,4609"));
    QVERIFY(!FFrame->PrintResultsFrame->Script.isEmpty());
    QVERIFY(ButtonsEnabled());
    QCOMPARE(FFrame->LUnitsRelation->text(), QStringLiteral("1 imp. gal = 4,54609 l"));
}

void TestUnitsConverterFrame::rewritesSourceAsRead_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("destination");
    QTest::newRow("blank between digit groups") << "1 000" << "1000" << "4546,09";
    QTest::newRow("point in a comma locale") << "1.5" << "15" << "68,19135";
    QTest::newRow("exponent") << "2,5e3" << "2500" << "11365,225";
    QTest::newRow("very small value") << "0,00001" << "1E-5" << "4,54609E-5";
}

void TestUnitsConverterFrame::rewritesSourceAsRead()
{
    QFETCH(QString, typed);
    QFETCH(QString, source);
    QFETCH(QString, destination);
    FFrame->ESrcValue->setText(typed);
    QTest::keyClick(FFrame->ESrcValue, Qt::Key_Return);

    QCOMPARE(FFrame->ESrcValue->text(), source);
    QCOMPARE(FFrame->EDstValue->text(), destination);
    QVERIFY(ButtonsEnabled());
}

void TestUnitsConverterFrame::refusesNonPositiveValue_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("source");
    QTest::newRow("zero") << "0" << "0";
    QTest::newRow("empty") << "" << "0";
    QTest::newRow("no digits") << "abc" << "0";
    QTest::newRow("negative") << "-3" << "-3";
}

void TestUnitsConverterFrame::refusesNonPositiveValue()
{
    QFETCH(QString, typed);
    QFETCH(QString, source);
    ConvertTenGallons();
    FFrame->ESrcValue->setText(typed);
    // Pressed with the mouse, so that the focus has to come back to the field.
    FFrame->BCalculate->setFocus();

    QString message;
    TModalBoxWatcher watcher([&](QMessageBox *box) {
        message = box->text();
        box->accept();
    });
    QTest::mouseClick(FFrame->BCalculate, Qt::LeftButton);

    QVERIFY(watcher.Seen());
    QCOMPARE(message, QStringLiteral("Należy podać prawidłową dodatnią wartość źródłową."));
    QCOMPARE(FFrame->ESrcValue->text(), source);
    ExpectNoResult();
    QCOMPARE(FFrame->focusWidget(), FFrame->ESrcValue);
}

void TestUnitsConverterFrame::letsBadDigitGroupEscapeUnchanged()
{
    ConvertTenGallons();
    FFrame->ESrcValue->setText(QStringLiteral("--"));

    try {
        FFrame->Calculate();
        QFAIL("no conversion error");
    } catch (const EConvertError &error) {
        QCOMPARE(error.Message(), QStringLiteral("'-' is not a valid integer value"));
    }
    QCOMPARE(FFrame->ESrcValue->text(), QStringLiteral("--"));
    ExpectNoResult();
}

void TestUnitsConverterFrame::otherKeysOnlyEdit()
{
    FFrame->ESrcValue->clear();
    QTest::keyClicks(FFrame->ESrcValue, QStringLiteral("12"));
    QTest::keyClick(FFrame->ESrcValue, Qt::Key_Tab);
    QCOMPARE(FFrame->ESrcValue->text(), QStringLiteral("12"));
    ExpectNoResult();
}

void TestUnitsConverterFrame::revertSwapsTextsAndUnits()
{
    ConvertTenGallons();
    QTest::mouseClick(FFrame->BRevert, Qt::LeftButton);

    QCOMPARE(FFrame->ESrcValue->text(), QStringLiteral("45,4609"));
    QCOMPARE(FFrame->EDstValue->text(), QStringLiteral("10"));
    QCOMPARE(FFrame->SrcUnitFrame->GetSelectedUnit(), Unit("l"));
    QCOMPARE(FFrame->DstUnitFrame->GetSelectedUnit(), Unit("imp_gal"));
    QCOMPARE(FFrame->LUnitsRelation->text(), QStringLiteral("1 l = 0,219969248299088 imp. gal"));
    QVERIFY(FFrame->PrintResultsFrame->Script.isEmpty());
    QVERIFY(!ButtonsEnabled());
}

void TestUnitsConverterFrame::revertWithZeroDestinationResetsBoth()
{
    FFrame->ESrcValue->setText(QStringLiteral("7"));
    QTest::mouseClick(FFrame->BRevert, Qt::LeftButton);

    QCOMPARE(FFrame->ESrcValue->text(), QStringLiteral("0"));
    QCOMPARE(FFrame->EDstValue->text(), QStringLiteral("0"));
    QCOMPARE(FFrame->SrcUnitFrame->GetSelectedUnit(), Unit("l"));
    QCOMPARE(FFrame->DstUnitFrame->GetSelectedUnit(), Unit("imp_gal"));
    QCOMPARE(FFrame->LUnitsRelation->text(), QStringLiteral("1 l = 0,219969248299088 imp. gal"));
}

void TestUnitsConverterFrame::usersUnitChoiceDropsResult()
{
    for (TUnitsDictionaryFrame *list : {FFrame->SrcUnitFrame, FFrame->DstUnitFrame}) {
        ConvertTenGallons();
        QTest::keyClick(list->CBUnits, Qt::Key_Down);
        QCOMPARE(FFrame->ESrcValue->text(), QStringLiteral("10"));
        ExpectNoResult();
        FFrame->SrcUnitFrame->SelectUnit(Unit("imp_gal"));
        FFrame->DstUnitFrame->SelectUnit(Unit("l"));
    }
    // A choice also brings the relation up to date.
    QTest::keyClick(FFrame->DstUnitFrame->CBUnits, Qt::Key_Down);
    QCOMPARE(FFrame->LUnitsRelation->text(), QStringLiteral("1 imp. gal = 0,454609 dal"));
}

void TestUnitsConverterFrame::editingSourceDropsResult()
{
    ConvertTenGallons();
    FFrame->ESrcValue->setFocus();
    QTest::keyClick(FFrame->ESrcValue, Qt::Key_Backspace);
    QCOMPARE(FFrame->ESrcValue->text(), QStringLiteral("1"));
    ExpectNoResult();
}

void TestUnitsConverterFrame::calculatingTwiceGivesSameDocument()
{
    ConvertTenGallons();
    const QList<QByteArray> first = FFrame->PrintResultsFrame->Script;
    QVERIFY(first.join().contains("45,4609"));

    QTest::mouseClick(FFrame->BCalculate, Qt::LeftButton);
    QCOMPARE(FFrame->PrintResultsFrame->Script, first);
    QVERIFY(ButtonsEnabled());
}

void TestUnitsConverterFrame::missingDefaultUnitLeavesListEmptyAndAsksForUnit()
{
    FFrame->DefaultSrcSysId = QStringLiteral("barrel");
    FFrame->InitConverter();
    QCOMPARE(FFrame->SrcUnitFrame->GetSelectedUnit(), nullptr);
    QCOMPARE(FFrame->DstUnitFrame->GetSelectedUnit(), Unit("l"));
    QCOMPARE(FFrame->LUnitsRelation->text(), QString());

    QString message;
    TModalBoxWatcher watcher([&](QMessageBox *box) {
        message = box->text();
        box->accept();
    });
    FFrame->ESrcValue->setText(QStringLiteral("10"));
    QTest::mouseClick(FFrame->BCalculate, Qt::LeftButton);
    QVERIFY(watcher.Seen());
    QCOMPARE(message, QStringLiteral("Należy wybrać jednostkę źródłową i docelową."));
    ExpectNoResult();
    QCOMPARE(FFrame->focusWidget(), FFrame->SrcUnitFrame->CBUnits);

    // The swap keeps the empty list empty; picking a unit brings the relation back.
    QTest::mouseClick(FFrame->BRevert, Qt::LeftButton);
    QCOMPARE(FFrame->SrcUnitFrame->GetSelectedUnit(), Unit("l"));
    QCOMPARE(FFrame->DstUnitFrame->GetSelectedUnit(), nullptr);
    QTest::keyClick(FFrame->DstUnitFrame->CBUnits, Qt::Key_Down);
    QVERIFY(FFrame->DstUnitFrame->GetSelectedUnit() != nullptr);
    QVERIFY(FFrame->LUnitsRelation->text().startsWith(QStringLiteral("1 l = ")));
}

QTEST_MAIN(TestUnitsConverterFrame)
#include "tst_unitsconverterframe.moc"
