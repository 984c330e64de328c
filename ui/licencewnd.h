#pragma once

#include "baseform.h"

#include <QByteArray>
#include <QString>

class QPlainTextEdit;
class QShowEvent;

namespace Ui {
class TLicenceWnd;
}

// The licence agreement from the program's resources, shown from its first line at every opening.
class TLicenceWnd : public TBaseForm
{
    Q_OBJECT

public:
    explicit TLicenceWnd(QWidget *Owner = nullptr);
    ~TLicenceWnd() override;

    QPlainTextEdit *Memo = nullptr;

protected:
    void showEvent(QShowEvent *event) override;

protected slots:
    void FormShow();
    void BOKClick();

private:
    Ui::TLicenceWnd *ui;
};

// Text of a memo file: a byte-order mark selects UTF-8 or UTF-16, otherwise the bytes are
// code page 1250; CR LF line ends become plain line breaks.
QString LicenceText(const QByteArray &bytes);

// Created hidden at start-up and reused for the whole run.
extern TLicenceWnd *LicenceWnd;
