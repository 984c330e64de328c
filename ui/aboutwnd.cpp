#include "aboutwnd.h"
#include "ui_aboutwnd.h"

#include "appcommons.h"
#include "desktop.h"
#include "licencewnd.h"
#include "linklabel.h"

TAboutWnd *AboutWnd = nullptr;

TAboutWnd::TAboutWnd(QWidget *Owner) : TBaseForm(Owner), ui(new Ui::TAboutWnd)
{
    ui->setupUi(this);
    setFixedSize(size());
    ui->Image1->setPixmap(QPixmap(QStringLiteral(":/LOGO")));
    MakeLinkLabel(ui->LWebsite);
    ui->LWebsite->installEventFilter(this);
    connect(ui->BClose, &QPushButton::clicked, this, &TAboutWnd::BCloseClick);
    connect(ui->BLicence, &QPushButton::clicked, this, &TAboutWnd::BLicenceClick);

    // Set once: later showings reuse these texts.
    ui->LVersion->setText(MyApp()->ProductName() + QLatin1Char(' ') + MyApp()->FileVersion());
    ui->LCopyright->setText(MyApp()->Copyright());
    ui->LWebsite->setText(MyApp()->PublisherWebsite());
    ui->BLicence->setVisible(true);
    ui->LTitle->setText(QStringLiteral("Zelvano Kalkulatory 2025"));
}

TAboutWnd::~TAboutWnd()
{
    delete ui;
}

bool TAboutWnd::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ui->LWebsite && IsLabelClick(ui->LWebsite, event))
        LWebsiteClick();
    return TBaseForm::eventFilter(watched, event);
}

void TAboutWnd::BCloseClick()
{
    reject();
}

void TAboutWnd::LWebsiteClick()
{
    OpenUrl(MyApp()->PublisherWebsite());
    // A visited link stays purple for the rest of the run: the window is never recreated.
    QPalette palette = ui->LWebsite->palette();
    palette.setColor(QPalette::WindowText, QColor(128, 0, 128));
    ui->LWebsite->setPalette(palette);
}

void TAboutWnd::BLicenceClick()
{
    if (LicenceWnd)
        LicenceWnd->exec();
}
