#pragma once

#include <QDialog>

// Base of every window of the program: it opens centred on the screen, whatever its layout says,
// unless the window itself moved somewhere before it is first shown.
class TBaseForm : public QDialog
{
    Q_OBJECT

public:
    explicit TBaseForm(QWidget *Owner = nullptr);

    void setVisible(bool visible) override;

private:
    bool FShownBefore = false;
    bool FCentreOnShow = true;
};
