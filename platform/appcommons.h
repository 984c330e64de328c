#pragma once

#include <QString>

// Who the program is: title, versions and copyright from its version block, the publisher's
// website and the folder the program runs from.
class TMyApplicationBase
{
public:
    // versionBlock: the Qt resource holding the version block (tests pass their own).
    explicit TMyApplicationBase(const QString &versionBlock = QStringLiteral(":/VS_VERSION_INFO"));
    virtual ~TMyApplicationBase() = default;

    virtual void InitializeValues();
    // Folder of the program's executable, links resolved, with a trailing "/".
    virtual QString GetDirectory() const;
    virtual QString GetHintsDirectory() const;
    virtual QString GetShortName() const;

    QString Title() const { return FTitle; }
    QString ProductVersion() const { return FProductVersion; }
    QString FileVersion() const { return FFileVersion; }
    QString ProductName() const { return FProductName; }
    QString PublisherWebsite() const { return FPublisherWebsite; }
    QString Copyright() const { return FCopyright; }
    QString Directory() const { return GetDirectory(); }

protected:
    QString FVersionBlock;
    QString FTitle;
    QString FProductVersion;
    QString FFileVersion;
    QString FProductName;
    QString FPublisherWebsite;
    QString FCopyright;
};

class TMyApplication : public TMyApplicationBase
{
public:
    explicit TMyApplication(const QString &versionBlock = QStringLiteral(":/VS_VERSION_INFO"));
};

// The one identity object of the run, created on first use and never destroyed.
TMyApplication *MyApp();
