#pragma once

#include "unitsconverter.h"

#include <QString>
#include <QWidget>

class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class TPrintResultsFrame;
class TUnitsDictionaryFrame;

namespace Ui {
class TUnitsConverterFrame;
}

// Where the user converts: source value and unit, destination value and unit, the relation of the
// two units, "Zamień", "OBLICZ" and the print buttons of the result. It knows nothing of volume:
// the owner hands it a converter, the default units and the document title.
class TUnitsConverterFrame : public QWidget
{
    Q_OBJECT

public:
    explicit TUnitsConverterFrame(QWidget *parent = nullptr);
    ~TUnitsConverterFrame() override;

    // "1 X = f Y" for the selected units; empty while a list has no unit selected.
    virtual void UpdateUnitsRelation();
    virtual void SrcUnitSelected(TUnitsDictionaryFrame *Sender);
    virtual void DstUnitSelected(TUnitsDictionaryFrame *Sender);
    // Converts the typed value and has the report written into the print buttons frame.
    virtual void Calculate();
    // Fills both lists from Converter, selects the default units and resets both values.
    virtual void InitConverter();

    Unitsconverter::TUnitsConverter *Converter = nullptr; // borrowed
    QString DocTitle;
    QString DefaultSrcSysId;
    QString DefaultDstSysId;

    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLineEdit *ESrcValue = nullptr;
    QLineEdit *EDstValue = nullptr;
    TUnitsDictionaryFrame *SrcUnitFrame = nullptr;
    TUnitsDictionaryFrame *DstUnitFrame = nullptr;
    QLabel *LUnitsRelation = nullptr;
    QPushButton *BRevert = nullptr;
    QPushButton *BCalculate = nullptr;
    TPrintResultsFrame *PrintResultsFrame = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

protected slots:
    void BRevertClick();
    void BCalculateClick();
    void ESrcValueChange();

protected:
    // True when the key was Enter and has been handled.
    bool ESrcValueKeyDown(QKeyEvent *Key);

private:
    Ui::TUnitsConverterFrame *ui;
};
