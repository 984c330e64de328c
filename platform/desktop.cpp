#include "desktop.h"

#include <QDesktopServices>
#include <QUrl>

namespace {

TOpenUrlHook &OpenUrlHook()
{
    static TOpenUrlHook hook;
    return hook;
}

} // namespace

void OpenUrl(const QString &url)
{
    if (OpenUrlHook()) {
        OpenUrlHook()(url);
        return;
    }
    QDesktopServices::openUrl(QUrl(url, QUrl::TolerantMode));
}

void SetOpenUrlHook(TOpenUrlHook hook)
{
    OpenUrlHook() = std::move(hook);
}
