#include "unitsconverterframe.h"
#include "ui_unitsconverterframe.h"

#include "calcdocpreprocessor.h"
#include "conversioncalculation.h"
#include "messageboxes.h"
#include "numbertext.h"
#include "printresultsframe.h"
#include "unitsdictionaryframe.h"

#include <QComboBox>
#include <QKeyEvent>

using namespace Unitsconverter;

namespace {

// Shown when "OBLICZ" finds a list without a unit, which happens only when the owner named a
// default unit that the table lacks.
const char NoUnitMessage[] = "Należy wybrać jednostkę źródłową i docelową.";

QString ZeroText()
{
    return FormatNumber(0, 0);
}

} // namespace

TUnitsConverterFrame::TUnitsConverterFrame(QWidget *parent)
    : QWidget(parent), ui(new Ui::TUnitsConverterFrame)
{
    ui->setupUi(this);
    Label1 = ui->Label1;
    Label2 = ui->Label2;
    ESrcValue = ui->ESrcValue;
    EDstValue = ui->EDstValue;
    SrcUnitFrame = ui->SrcUnitFrame;
    DstUnitFrame = ui->DstUnitFrame;
    LUnitsRelation = ui->LUnitsRelation;
    BRevert = ui->BRevert;
    BCalculate = ui->BCalculate;
    PrintResultsFrame = ui->PrintResultsFrame;

    QPalette srcPalette = ESrcValue->palette();
    srcPalette.setColor(QPalette::Text, QColor(0, 0, 128));
    ESrcValue->setPalette(srcPalette);
    QPalette dstPalette = EDstValue->palette();
    dstPalette.setColor(QPalette::Text, QColor(128, 0, 0));
    dstPalette.setColor(QPalette::Base, dstPalette.color(QPalette::Button));
    EDstValue->setPalette(dstPalette);

    // Inside this frame the print buttons sit at the top of their strip.
    for (QPushButton *button : {PrintResultsFrame->BPrinter, PrintResultsFrame->BPreview,
                                PrintResultsFrame->BPrint}) {
        if (button)
            button->setGeometry(button->x(), 0, button->width(), 26);
    }

    ESrcValue->installEventFilter(this);
    // textChanged, unlike textEdited, also follows texts set from code, as the handlers expect.
    connect(ESrcValue, &QLineEdit::textChanged, this, &TUnitsConverterFrame::ESrcValueChange);
    connect(BRevert, &QPushButton::clicked, this, &TUnitsConverterFrame::BRevertClick);
    connect(BCalculate, &QPushButton::clicked, this, &TUnitsConverterFrame::BCalculateClick);
}

TUnitsConverterFrame::~TUnitsConverterFrame()
{
    delete ui;
}

void TUnitsConverterFrame::UpdateUnitsRelation()
{
    const TUnit *src = SrcUnitFrame->GetSelectedUnit();
    const TUnit *dst = DstUnitFrame->GetSelectedUnit();
    LUnitsRelation->setText(src && dst ? UnitsRelationText(*src, *dst) : QString());
}

void TUnitsConverterFrame::SrcUnitSelected(TUnitsDictionaryFrame *)
{
    EDstValue->setText(ZeroText());
    PrintResultsFrame->ClearScript();
    UpdateUnitsRelation();
}

void TUnitsConverterFrame::DstUnitSelected(TUnitsDictionaryFrame *)
{
    EDstValue->setText(ZeroText());
    PrintResultsFrame->ClearScript();
    UpdateUnitsRelation();
}

void TUnitsConverterFrame::Calculate()
{
    TUnit *src = SrcUnitFrame->GetSelectedUnit();
    TUnit *dst = DstUnitFrame->GetSelectedUnit();
    if (!Converter || !src || !dst) {
        ErrorMsg(QByteArray(NoUnitMessage));
        (src ? DstUnitFrame : SrcUnitFrame)->CBUnits->setFocus();
        return;
    }
    // The command line converts through the same function.
    const TCalculation calculation = Unitsconverter::Calculate(*Converter, ESrcValue->text(), src, dst);
    ESrcValue->setText(calculation.SrcText);
    if (!calculation.Accepted) {
        ErrorMsg(NonPositiveValueMessage().toUtf8());
        ESrcValue->setFocus();
        return;
    }
    EDstValue->setText(calculation.DstText);
    PrintResultsFrame->SetEnabled(false);
    MakeConversionDocument(calculation.Conversion, DocTitle, PrintResultsFrame->Script);
    PrintResultsFrame->SetEnabled(true);
    UpdateUnitsRelation();
}

void TUnitsConverterFrame::InitConverter()
{
    TUnitsList *units = Converter ? Converter->Units.get() : nullptr;

    SrcUnitFrame->Units = units;
    SrcUnitFrame->FillUnits();
    SrcUnitFrame->SelectUnit(units ? units->FindBySysId(DefaultSrcSysId) : nullptr);
    SrcUnitFrame->OnUnitSelect = [this](TUnitsDictionaryFrame *sender) { SrcUnitSelected(sender); };

    DstUnitFrame->Units = units;
    DstUnitFrame->FillUnits();
    DstUnitFrame->SelectUnit(units ? units->FindBySysId(DefaultDstSysId) : nullptr);
    DstUnitFrame->OnUnitSelect = [this](TUnitsDictionaryFrame *sender) { DstUnitSelected(sender); };

    ESrcValue->setText(ZeroText());
    EDstValue->setText(ZeroText());
    PrintResultsFrame->ClearScript();
    UpdateUnitsRelation();
}

bool TUnitsConverterFrame::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ESrcValue && event->type() == QEvent::KeyPress
        && ESrcValueKeyDown(static_cast<QKeyEvent *>(event)))
        return true;
    return QWidget::eventFilter(watched, event);
}

void TUnitsConverterFrame::BRevertClick()
{
    const long double d = ParseNumber(EDstValue->text());
    if (d != 0) {
        const QString oldSrc = ESrcValue->text();
        const QString oldDst = EDstValue->text();
        // The source goes first: its change handler resets the destination.
        ESrcValue->setText(oldDst);
        EDstValue->setText(oldSrc);
    } else {
        ESrcValue->setText(ZeroText());
        EDstValue->setText(ZeroText());
    }

    TUnit *oldSrcUnit = SrcUnitFrame->GetSelectedUnit();
    TUnit *oldDstUnit = DstUnitFrame->GetSelectedUnit();
    SrcUnitFrame->SelectUnit(oldDstUnit);
    DstUnitFrame->SelectUnit(oldSrcUnit);
    // SelectUnit keeps the selection for a null unit; an empty list must stay empty after the swap.
    if (!oldDstUnit)
        SrcUnitFrame->CBUnits->setCurrentIndex(-1);
    if (!oldSrcUnit)
        DstUnitFrame->CBUnits->setCurrentIndex(-1);

    PrintResultsFrame->ClearScript();
    UpdateUnitsRelation();
}

void TUnitsConverterFrame::BCalculateClick()
{
    Calculate();
}

void TUnitsConverterFrame::ESrcValueChange()
{
    EDstValue->setText(ZeroText());
    PrintResultsFrame->ClearScript();
}

bool TUnitsConverterFrame::ESrcValueKeyDown(QKeyEvent *Key)
{
    // Both Enter keys, whatever Shift, Ctrl and Alt are doing.
    if (Key->key() != Qt::Key_Return && Key->key() != Qt::Key_Enter)
        return false;
    Calculate();
    return true;
}
