#pragma once

#include "baseform.h"
#include "unitsconverter.h"

#include <memory>

class QFrame;
class QKeyEvent;
class QPushButton;
class QShowEvent;
class TGoOnlineFrame;
class TUnitsConverterFrame;

namespace Ui {
class TCLV290ZELVANO25_VU;
}

// The main window: the volume converter, the link to the web version, "?..." and "Zamknij".
class TCLV290ZELVANO25_VU : public TBaseForm
{
    Q_OBJECT

public:
    explicit TCLV290ZELVANO25_VU(QWidget *Owner = nullptr);
    ~TCLV290ZELVANO25_VU() override;

    QFrame *Bevel1 = nullptr;
    QPushButton *BHelp = nullptr;
    QPushButton *BClose = nullptr;
    TGoOnlineFrame *GoOnlineFrame = nullptr;
    TUnitsConverterFrame *UnitsConverterFrame = nullptr;

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

protected slots:
    void FormShow();
    void BHelpClick();
    void BCloseClick();

private:
    void PlaceFrameComponents();

    std::unique_ptr<Ui::TCLV290ZELVANO25_VU> ui;

public:
    // Loads and validates the embedded volume table; lives exactly as long as the window.
    Unitsconverter::TVolumeUnitsConverter Converter;
};
