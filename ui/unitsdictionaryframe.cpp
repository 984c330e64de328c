#include "unitsdictionaryframe.h"
#include "ui_unitsdictionaryframe.h"

#include <QResizeEvent>

using Unitsconverter::TUnit;

TUnitsDictionaryFrame::TUnitsDictionaryFrame(QWidget *parent)
    : QWidget(parent), ui(new Ui::TUnitsDictionaryFrame)
{
    ui->setupUi(this);
    CBUnits = ui->CBUnits;
    // activated is emitted only for the user's choices, never for setCurrentIndex.
    connect(CBUnits, &QComboBox::activated, this, &TUnitsDictionaryFrame::CBUnitsSelect);
}

TUnitsDictionaryFrame::~TUnitsDictionaryFrame()
{
    delete ui;
}

TUnit *TUnitsDictionaryFrame::GetSelectedUnit() const
{
    const int index = CBUnits->currentIndex();
    if (index < 0)
        return nullptr;
    return static_cast<TUnit *>(CBUnits->itemData(index).value<void *>());
}

void TUnitsDictionaryFrame::SelectUnit(TUnit *Unit)
{
    if (!Unit)
        return;
    for (int i = 0; i < CBUnits->count(); ++i) {
        if (CBUnits->itemData(i).value<void *>() == Unit) {
            CBUnits->setCurrentIndex(i);
            return;
        }
    }
}

void TUnitsDictionaryFrame::FillUnits()
{
    CBUnits->clear();
    if (Units) {
        for (TUnit *unit : *Units)
            CBUnits->addItem(unit->GetDisplayName(), QVariant::fromValue(static_cast<void *>(unit)));
    }
    // A combo box selects its first entry by itself; the list starts with no choice made.
    CBUnits->setCurrentIndex(-1);
}

void TUnitsDictionaryFrame::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    // The list is docked to the top: it follows the frame's width.
    CBUnits->setGeometry(0, 0, event->size().width(), CBUnits->height());
}

void TUnitsDictionaryFrame::CBUnitsSelect(int)
{
    if (OnUnitSelect)
        OnUnitSelect(this);
}
