#pragma once

#include "baseform.h"

class QLabel;
class QPushButton;

namespace Ui {
class TAboutWnd;
}

// Product title, version, copyright, the publisher's website and the way to the licence text.
class TAboutWnd : public TBaseForm
{
    Q_OBJECT

public:
    explicit TAboutWnd(QWidget *Owner = nullptr);
    ~TAboutWnd() override;

    Ui::TAboutWnd *Ui() const { return ui; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

protected slots:
    void BCloseClick();
    void LWebsiteClick();
    void BLicenceClick();

private:
    Ui::TAboutWnd *ui;
};

// Created hidden at start-up and reused for the whole run.
extern TAboutWnd *AboutWnd;
