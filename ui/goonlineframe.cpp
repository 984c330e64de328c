#include "goonlineframe.h"
#include "ui_goonlineframe.h"

#include "desktop.h"
#include "linklabel.h"

namespace {

const char OnlineServiceAddress[] = "https://zelvano.pl/kalkulatory/online/";

} // namespace

TGoOnlineFrame::TGoOnlineFrame(QWidget *parent) : QWidget(parent), ui(new Ui::TGoOnlineFrame)
{
    ui->setupUi(this);
    LLink = ui->LLink;
    MakeLinkLabel(LLink);
    LLink->installEventFilter(this);
}

TGoOnlineFrame::~TGoOnlineFrame()
{
    delete ui;
}

QString TGoOnlineFrame::OnlineAddress() const
{
    return QString::fromLatin1(OnlineServiceAddress) + QStringLiteral("runcalc.php?id=")
        + QString::number(CalcType);
}

bool TGoOnlineFrame::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == LLink && IsLabelClick(LLink, event))
        LLinkClick();
    return QWidget::eventFilter(watched, event);
}

void TGoOnlineFrame::LLinkClick()
{
    OpenUrl(OnlineAddress());
}
