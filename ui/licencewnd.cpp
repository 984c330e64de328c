#include "licencewnd.h"
#include "ui_licencewnd.h"

#include <QResource>
#include <QShowEvent>
#include <QStringDecoder>

TLicenceWnd *LicenceWnd = nullptr;

namespace {

const char LicenceResource[] = ":/11000";

// Found once per run; a missing resource is looked for again at the next showing.
QByteArray &LicenceData()
{
    static QByteArray data;
    return data;
}

} // namespace

QString LicenceText(const QByteArray &bytes)
{
    QString text;
    if (auto encoding = QStringConverter::encodingForData(bytes)) {
        QStringDecoder decoder(*encoding);
        text = decoder.decode(bytes);
    } else {
        QStringDecoder decoder("windows-1250");
        text = decoder.isValid() ? QString(decoder.decode(bytes)) : QString::fromLatin1(bytes);
    }
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

TLicenceWnd::TLicenceWnd(QWidget *Owner) : TBaseForm(Owner), ui(new Ui::TLicenceWnd)
{
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    Memo = ui->Memo;
    QPalette palette = Memo->palette();
    palette.setColor(QPalette::Text, QColor(0, 0, 128));
    Memo->setPalette(palette);
    connect(ui->BOK, &QPushButton::clicked, this, &TLicenceWnd::BOKClick);
}

TLicenceWnd::~TLicenceWnd()
{
    delete ui;
}

void TLicenceWnd::showEvent(QShowEvent *event)
{
    TBaseForm::showEvent(event);
    // Un-minimising is no new opening: the reader keeps the place.
    if (!event->spontaneous())
        FormShow();
}

void TLicenceWnd::FormShow()
{
    if (LicenceData().isEmpty()) {
        QResource resource(QString::fromLatin1(LicenceResource));
        if (resource.isValid())
            LicenceData() = resource.uncompressedData();
    }
    Memo->setPlainText(LicenceText(LicenceData()));
    Memo->moveCursor(QTextCursor::Start);
    Memo->ensureCursorVisible();
}

void TLicenceWnd::BOKClick()
{
    reject();
}
