#pragma once

class QUrl;

// Hands a file, mail or web URL to the desktop's program for it (xdg-open
// where installed, Qt's own means otherwise). False when no program took it:
// xdg-open missing and Qt could not open it, or xdg-open ending with an error
// (no mail program or browser set up) within a short wait. An xdg-open still
// running after the wait has started a program and is left to run.
namespace DesktopOpener {
bool open(const QUrl& url);
} // namespace DesktopOpener
