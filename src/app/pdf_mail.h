#pragma once

#include <QString>

namespace zephan {

class TDesktop;

// Whether the desktop's mail client (its desktop entry, as "xdg-mime query default
// x-scheme-handler/mailto" names it) takes an attachment from xdg-email.
bool mailProgrammNimmtAnhang(const QString& desktopEintrag);

struct TMailErgebnis {
    bool uebergeben = false; // the mail client took the message
    QString meldung;         // for the user when it did not
};

// Hands a new message with recipient, subject and the PDF attached to the desktop's mail
// client through xdg-email. When no client can take the attachment (none set up, one that
// drops attachments, or xdg-email failing), the folder holding the PDF is opened through the
// desktop, and the message says why, where the file is, and whether the folder could be
// opened.
TMailErgebnis mailUebergeben(TDesktop& desktop, const QString& pdf, const QString& empfaenger,
                             const QString& betreff);

} // namespace zephan
