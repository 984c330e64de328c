#include "appcommons.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

QString WithTrailingSlash(QString folder)
{
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder;
}

// The executable's full path, links resolved; before a QCoreApplication exists the kernel's link is read.
QString ExecutablePath()
{
    if (QCoreApplication::instance())
        return QFileInfo(QCoreApplication::applicationFilePath()).canonicalFilePath();
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
}

} // namespace

TMyApplicationBase::TMyApplicationBase(const QString &versionBlock)
    : FVersionBlock(versionBlock)
{
    InitializeValues();
}

void TMyApplicationBase::InitializeValues()
{
    try {
        QFile file(FVersionBlock);
        if (!file.open(QIODevice::ReadOnly))
            return;
        const QJsonDocument document = QJsonDocument::fromJson(file.readAll());
        if (!document.isObject())
            return;
        const QJsonObject root = document.object();
        const QJsonValue translations = root.value(QLatin1String("VarFileInfo")).toObject().value(QLatin1String("Translation"));
        if (!translations.isArray() || translations.toArray().isEmpty())
            return;
        const QJsonArray first = translations.toArray().first().toArray();
        if (first.size() < 2 || !first.at(0).isDouble() || !first.at(1).isDouble())
            return;
        // Both halves are 16-bit words, as in the version block of the original platform.
        const quint32 language = static_cast<quint32>(first.at(0).toInteger()) & 0xFFFFu;
        const quint32 codePage = static_cast<quint32>(first.at(1).toInteger()) & 0xFFFFu;
        const QString key = QStringLiteral("%1").arg(language * 65536u + codePage, 8, 16, QLatin1Char('0')).toUpper();

        const QJsonObject strings = root.value(QLatin1String("StringFileInfo")).toObject().value(key).toObject();
        FFileVersion = strings.value(QLatin1String("FileVersion")).toString();
        FProductName = strings.value(QLatin1String("ProductName")).toString();
        FProductVersion = strings.value(QLatin1String("ProductVersion")).toString();
        FCopyright = strings.value(QLatin1String("LegalCopyright")).toString();
    } catch (...) {
        // A program without readable version data still starts, with empty fields.
    }
}

QString TMyApplicationBase::GetDirectory() const
{
    const QString path = ExecutablePath();
    if (path.isEmpty())
        return WithTrailingSlash(QDir::currentPath());
    return WithTrailingSlash(QFileInfo(path).path());
}

QString TMyApplicationBase::GetHintsDirectory() const
{
    return GetDirectory() + QStringLiteral("hints/");
}

QString TMyApplicationBase::GetShortName() const
{
    return QFileInfo(ExecutablePath()).completeBaseName();
}

TMyApplication::TMyApplication(const QString &versionBlock)
    : TMyApplicationBase(versionBlock)
{
    FTitle = FProductName;
    FPublisherWebsite = QStringLiteral("https://zelvano.pl/kalkulatory/");
}

TMyApplication *MyApp()
{
    // Lives until the process ends: message boxes may need the title during shutdown.
    static TMyApplication *const instance = new TMyApplication();
    return instance;
}
