#include "tclv290zelvano25_vu.h"
#include "ui_tclv290zelvano25_vu.h"

#include "aboutwnd.h"
#include "appcommons.h"
#include "goonlineframe.h"
#include "printresultsframe.h"
#include "unitsconverterframe.h"
#include "unitsdictionaryframe.h"
#include "volumecalculator.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>

namespace {

// The number of this calculator in the family served by the web version.
constexpr quint8 VolumeCalcType = 24;

} // namespace

TCLV290ZELVANO25_VU::TCLV290ZELVANO25_VU(QWidget *Owner)
    : TBaseForm(Owner), ui(std::make_unique<Ui::TCLV290ZELVANO25_VU>())
{
    ui->setupUi(this);
    Bevel1 = ui->Bevel1;
    BHelp = ui->BHelp;
    BClose = ui->BClose;
    GoOnlineFrame = ui->GoOnlineFrame;
    UnitsConverterFrame = ui->UnitsConverterFrame;

    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(423, 340);
    PlaceFrameComponents();
    // Enter clicks the focused button only (keyPressEvent): no button is the window's default.
    for (QPushButton *button : findChildren<QPushButton *>())
        button->setAutoDefault(false);
    connect(BHelp, &QPushButton::clicked, this, &TCLV290ZELVANO25_VU::BHelpClick);
    connect(BClose, &QPushButton::clicked, this, &TCLV290ZELVANO25_VU::BCloseClick);

    setWindowTitle(MyApp()->Title());
    GoOnlineFrame->CalcType = VolumeCalcType;
}

TCLV290ZELVANO25_VU::~TCLV290ZELVANO25_VU() = default;

void TCLV290ZELVANO25_VU::PlaceFrameComponents()
{
    TUnitsConverterFrame *frame = UnitsConverterFrame;
    frame->LUnitsRelation->setGeometry(0, 133, 405, 17);
    frame->LUnitsRelation->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    frame->SrcUnitFrame->setGeometry(119, 26, 286, 28);
    frame->DstUnitFrame->setGeometry(119, 90, 286, 28);
    frame->BRevert->move(219, 165);
    frame->BCalculate->move(315, 165);
    TPrintResultsFrame *print = frame->PrintResultsFrame;
    print->setGeometry(85, 208, 320, 35);
    for (QPushButton *button : {print->BPrinter, print->BPreview, print->BPrint})
        button->setGeometry(button->x(), 8, button->width(), 26);
}

void TCLV290ZELVANO25_VU::showEvent(QShowEvent *event)
{
    TBaseForm::showEvent(event);
    // Restoring the minimised window is no new showing: the user's conversion stays.
    if (!event->spontaneous())
        FormShow();
}

void TCLV290ZELVANO25_VU::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        // The main window closes only on purpose: "Zamknij" or the title bar.
        event->accept();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (auto *button = qobject_cast<QPushButton *>(focusWidget()); button && button->isEnabled())
            button->click();
        event->accept();
        return;
    default:
        TBaseForm::keyPressEvent(event);
    }
}

void TCLV290ZELVANO25_VU::FormShow()
{
    UnitsConverterFrame->Converter = &Converter;
    UnitsConverterFrame->DefaultSrcSysId = VolumeCalculator::DefaultSrcSysId();
    UnitsConverterFrame->DefaultDstSysId = VolumeCalculator::DefaultDstSysId();
    UnitsConverterFrame->DocTitle = VolumeCalculator::DocTitle();
    UnitsConverterFrame->InitConverter();
}

void TCLV290ZELVANO25_VU::BHelpClick()
{
    if (AboutWnd)
        AboutWnd->exec();
}

void TCLV290ZELVANO25_VU::BCloseClick()
{
    close();
}
