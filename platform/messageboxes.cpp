#include "messageboxes.h"

#include "appcommons.h"

#include <QApplication>
#include <QCursor>
#include <QMessageBox>
#include <QPushButton>

#include <cstdio>

using namespace Messageboxes;

namespace {

// The arrow while a box is open, the previous global cursor afterwards, even when an error passes.
class TArrowCursor
{
public:
    TArrowCursor() { QGuiApplication::setOverrideCursor(QCursor(Qt::ArrowCursor)); }
    ~TArrowCursor() { QGuiApplication::restoreOverrideCursor(); }
    TArrowCursor(const TArrowCursor &) = delete;
    TArrowCursor &operator=(const TArrowCursor &) = delete;
};

struct TButton
{
    QMessageBox::StandardButton Button;
    int Id;
    const char16_t *Text; // nullptr: Qt's own text
};

QList<TButton> ButtonsOf(unsigned flags)
{
    switch (flags & 0xFu) {
    case MsgBoxOkCancel:
        return {{QMessageBox::Ok, IdOk, nullptr}, {QMessageBox::Cancel, IdCancel, u"Anuluj"}};
    case MsgBoxAbortRetryIgnore:
        return {{QMessageBox::Abort, IdAbort, u"Przerwij"}, {QMessageBox::Retry, IdRetry, u"Ponów próbę"},
                {QMessageBox::Ignore, IdIgnore, u"Ignoruj"}};
    case MsgBoxYesNoCancel:
        return {{QMessageBox::Yes, IdYes, u"Tak"}, {QMessageBox::No, IdNo, u"Nie"},
                {QMessageBox::Cancel, IdCancel, u"Anuluj"}};
    case MsgBoxYesNo:
        return {{QMessageBox::Yes, IdYes, u"Tak"}, {QMessageBox::No, IdNo, u"Nie"}};
    case MsgBoxRetryCancel:
        return {{QMessageBox::Retry, IdRetry, u"Ponów próbę"}, {QMessageBox::Cancel, IdCancel, u"Anuluj"}};
    default:
        return {{QMessageBox::Ok, IdOk, nullptr}};
    }
}

QMessageBox::Icon IconOf(unsigned flags)
{
    switch (flags & 0xF0u) {
    case MsgBoxIconError: return QMessageBox::Critical;
    case MsgBoxIconQuestion: return QMessageBox::Question;
    case MsgBoxIconWarning: return QMessageBox::Warning;
    case MsgBoxIconInformation: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
}

} // namespace

int MsgBox(const QByteArray &Text, unsigned Flags)
{
    const QString text = QString::fromUtf8(Text);
    if (!qobject_cast<QApplication *>(QCoreApplication::instance())) {
        // Without a window system the message still reaches the user.
        std::fprintf(stderr, "%s\n", Text.constData());
        return ButtonsOf(Flags).first().Id;
    }

    TArrowCursor arrow;
    QMessageBox box(IconOf(Flags), MyApp()->Title(), text, QMessageBox::NoButton, QApplication::activeWindow());
    box.setWindowModality(Qt::ApplicationModal);
    const QList<TButton> buttons = ButtonsOf(Flags);
    for (const TButton &button : buttons) {
        QPushButton *added = box.addButton(button.Button);
        if (button.Text)
            added->setText(QString::fromUtf16(button.Text));
    }
    // Bits 8-11 name the default button, as MB_DEFBUTTON2..4 do.
    const qsizetype defaultIndex = (Flags >> 8) & 0xFu;
    if (defaultIndex < buttons.size())
        box.setDefaultButton(buttons.at(defaultIndex).Button);
    box.exec();

    const QMessageBox::StandardButton clicked = box.standardButton(box.clickedButton());
    for (const TButton &button : buttons) {
        if (button.Button == clicked)
            return button.Id;
    }
    // Closed without a button: Cancel where the box has one, otherwise its only choice.
    for (const TButton &button : buttons) {
        if (button.Id == IdCancel)
            return IdCancel;
    }
    return buttons.first().Id;
}

void ErrorMsg(const QByteArray &Text)
{
    MsgBox(Text, MsgBoxOk | MsgBoxIconError);
}
