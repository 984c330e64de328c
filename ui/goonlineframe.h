#pragma once

#include <QString>
#include <QWidget>

class QLabel;

namespace Ui {
class TGoOnlineFrame;
}

// The link on the main window that opens the web version of this calculator.
class TGoOnlineFrame : public QWidget
{
    Q_OBJECT

public:
    explicit TGoOnlineFrame(QWidget *parent = nullptr);
    ~TGoOnlineFrame() override;

    // The address LLink opens: the service's base address + "runcalc.php?id=" + CalcType.
    QString OnlineAddress() const;

    // The number of this calculator in the family served by the web version.
    quint8 CalcType = 0;

    QLabel *LLink = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

protected slots:
    void LLinkClick();

private:
    Ui::TGoOnlineFrame *ui;
};
