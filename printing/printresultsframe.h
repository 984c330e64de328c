#pragma once

#include <QByteArray>
#include <QList>
#include <QWidget>

class QPushButton;
class QResizeEvent;

namespace Ui {
class TPrintResultsFrame;
}

// The strip of print buttons under a result: it holds the result's document and hands it
// to the printing service.
class TPrintResultsFrame : public QWidget
{
    Q_OBJECT

public:
    explicit TPrintResultsFrame(QWidget *parent = nullptr);
    ~TPrintResultsFrame() override;

    // Enables or disables the three buttons together, then the frame itself.
    virtual void SetEnabled(bool Value);
    // Empties the document and disables the buttons.
    virtual void ClearScript();

    // Markup lines of the current document (UTF-8); empty when there is no result.
    QList<QByteArray> Script;

    // Owned by the frame through Qt parenting; the embedding frame moves and resizes them.
    QPushButton *BPrinter = nullptr;
    QPushButton *BPreview = nullptr;
    QPushButton *BPrint = nullptr;

protected:
    void resizeEvent(QResizeEvent *event) override;

public slots:
    void BPrinterClick();
    void BPreviewClick();
    void BPrintClick();

private:
    Ui::TPrintResultsFrame *ui;
};
