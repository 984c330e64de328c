#pragma once

#include "unitsconverter.h"

#include <QWidget>

#include <functional>

class QComboBox;
class QResizeEvent;

namespace Ui {
class TUnitsDictionaryFrame;
}

// A drop-down list of the units of one table; it reports only the choices the user makes.
class TUnitsDictionaryFrame : public QWidget
{
    Q_OBJECT

public:
    using TUnitSelectEvent = std::function<void(TUnitsDictionaryFrame *Sender)>;

    explicit TUnitsDictionaryFrame(QWidget *parent = nullptr);
    ~TUnitsDictionaryFrame() override;

    // The unit of the selected entry; nullptr when nothing is selected.
    virtual Unitsconverter::TUnit *GetSelectedUnit() const;
    // Selects the first entry holding Unit, without notifying; an unknown or null unit changes nothing.
    virtual void SelectUnit(Unitsconverter::TUnit *Unit);
    // Lists Units in table order under their display names, with nothing selected.
    virtual void FillUnits();

    Unitsconverter::TUnitsList *Units = nullptr; // borrowed
    TUnitSelectEvent OnUnitSelect;

    QComboBox *CBUnits = nullptr;

protected:
    void resizeEvent(QResizeEvent *event) override;

protected slots:
    void CBUnitsSelect(int Index);

private:
    Ui::TUnitsDictionaryFrame *ui;
};
