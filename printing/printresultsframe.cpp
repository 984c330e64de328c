#include "printresultsframe.h"
#include "ui_printresultsframe.h"

#include "currentprinter.h"
#include "printing.h"

#include <QPrintDialog>
#include <QPrinter>
#include <QResizeEvent>

TPrintResultsFrame::TPrintResultsFrame(QWidget *parent)
    : QWidget(parent), ui(new Ui::TPrintResultsFrame)
{
    ui->setupUi(this);
    BPrinter = ui->BPrinter;
    BPreview = ui->BPreview;
    BPrint = ui->BPrint;
    connect(BPrinter, &QPushButton::clicked, this, &TPrintResultsFrame::BPrinterClick);
    connect(BPreview, &QPushButton::clicked, this, &TPrintResultsFrame::BPreviewClick);
    connect(BPrint, &QPushButton::clicked, this, &TPrintResultsFrame::BPrintClick);
}

TPrintResultsFrame::~TPrintResultsFrame()
{
    delete ui;
}

void TPrintResultsFrame::SetEnabled(bool Value)
{
    BPrinter->setEnabled(Value);
    BPreview->setEnabled(Value);
    BPrint->setEnabled(Value);
    setEnabled(Value);
}

void TPrintResultsFrame::ClearScript()
{
    Script.clear();
    SetEnabled(false);
}

void TPrintResultsFrame::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    // The buttons keep their distance to the right and bottom edges, wherever they were put.
    if (!event->oldSize().isValid())
        return;
    const QSize delta = event->size() - event->oldSize();
    for (QPushButton *button : {BPrinter, BPreview, BPrint})
        button->move(button->pos() + QPoint(delta.width(), delta.height()));
}

void TPrintResultsFrame::BPrinterClick()
{
    QPrintDialog dialog(&Printer(), window());
    dialog.setOptions(QAbstractPrintDialog::PrintShowPageSize);
    dialog.exec();
}

void TPrintResultsFrame::BPreviewClick()
{
    if (PreviewDocument(Script) == 1)
        PrintDocument(Script);
}

void TPrintResultsFrame::BPrintClick()
{
    PrintDocument(Script);
}
