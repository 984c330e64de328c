#pragma once

#include <QByteArray>
#include <QString>

// Wrapper of the strconv family library: UTF-8 <-> UTF-16 and markup entity escaping.

// Loads the library from path and resolves all its entry points;
// raises Exception "Cannot initialize strconv.so" when it cannot.
void InitStrConv(const QByteArray &Path);
bool StrConvLoaded();

void UTF8ToUnicode(const QByteArray &Source, QString &Result);
QString UTF8ToUnicode_2(const QByteArray &Source);
void UnicodeToUTF8(const QString &Source, QByteArray &Result);
QByteArray UnicodeToUTF8_2(const QString &Source);
void FilterEntitiesIn(const QString &Source, QString &Result, quint8 EntTypes);
QString FilterEntitiesIn_2(const QString &Source, quint8 EntTypes);
