#pragma once

#include <QByteArray>
#include <QString>

#include <exception>
#include <utility>

// Base of every error the program raises; the message is the text shown to the user.
class Exception : public std::exception
{
public:
    explicit Exception(QString message)
        : FMessage(std::move(message)), FUtf8(FMessage.toUtf8())
    {
    }

    const QString &Message() const noexcept { return FMessage; }
    const char *what() const noexcept override { return FUtf8.constData(); }

private:
    QString FMessage;
    QByteArray FUtf8;
};

// Text that cannot be read as a number ("'%s' is not a valid integer value").
class EConvertError : public Exception
{
public:
    using Exception::Exception;
};

// The printer cannot answer (no printer, or the query failed).
class EPrinter : public Exception
{
public:
    using Exception::Exception;
};

// An operation that a class leaves to its subclasses was called on it.
class EAbstractError : public Exception
{
public:
    using Exception::Exception;
};

// The text the exception display shows: the message with "." appended when its last character
// is above '.' in code order; an empty message stays empty.
QString ExceptionDisplayText(QString message);
