#pragma once

#include <QString>

#include <functional>

// Opens an address in the user's browser; the outcome is ignored, as no caller can act on it.
void OpenUrl(const QString &url);

// Tests replace the browser with a recorder; an empty hook restores the desktop.
using TOpenUrlHook = std::function<void(const QString &url)>;
void SetOpenUrlHook(TOpenUrlHook hook);
