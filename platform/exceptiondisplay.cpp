#include "exceptiondisplay.h"

#include "exception.h"
#include "messageboxes.h"

void ShowException(const std::exception &error)
{
    const auto *own = dynamic_cast<const Exception *>(&error);
    const QString message = own ? own->Message() : QString::fromUtf8(error.what());
    MsgBox(ExceptionDisplayText(message).toUtf8(), Messageboxes::MsgBoxOk | Messageboxes::MsgBoxIconError);
}

void ShowUnknownException()
{
    MsgBox(QByteArray(), Messageboxes::MsgBoxOk | Messageboxes::MsgBoxIconError);
}
