#pragma once

#include <QByteArray>

// Style bits and results of the system message box, with the values the Windows message box uses.
namespace Messageboxes {
// Buttons (low nibble).
inline constexpr unsigned MsgBoxOk = 0x0;
inline constexpr unsigned MsgBoxOkCancel = 0x1;
inline constexpr unsigned MsgBoxAbortRetryIgnore = 0x2;
inline constexpr unsigned MsgBoxYesNoCancel = 0x3;
inline constexpr unsigned MsgBoxYesNo = 0x4;
inline constexpr unsigned MsgBoxRetryCancel = 0x5;
// Icons.
inline constexpr unsigned MsgBoxIconError = 0x10;
inline constexpr unsigned MsgBoxIconQuestion = 0x20;
inline constexpr unsigned MsgBoxIconWarning = 0x30;
inline constexpr unsigned MsgBoxIconInformation = 0x40;
// Identifiers of the button that closed the box.
inline constexpr int IdOk = 1;
inline constexpr int IdCancel = 2;
inline constexpr int IdAbort = 3;
inline constexpr int IdRetry = 4;
inline constexpr int IdIgnore = 5;
inline constexpr int IdYes = 6;
inline constexpr int IdNo = 7;
} // namespace Messageboxes

// Shows Text (UTF-8, the program's 8-bit code page) in an application-modal box owned by the
// active window, captioned with the application title; the arrow cursor is shown while it is open.
// Returns the identifier of the button that closed it (IdOk, ...; IdCancel when closed otherwise).
int MsgBox(const QByteArray &Text, unsigned Flags);

// The one way the program shows an error of its own: one "OK" button and the error icon.
void ErrorMsg(const QByteArray &Text);
