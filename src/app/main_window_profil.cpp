// The pressure profile of a path ("&Grafik") and the copy of a chain ("Kopieren...").
#include "app/kopier_fenster.h"
#include "app/main_window.h"
#include "app/verlauf_fenster.h"
#include "network/network_tree.h"

namespace zephan {

void Tk_DVform::GrafikbtnClick() {
    if (fsetzen_ || session_->rechnungLaeuft()) return;
    tmylistitem* n = session_->selektiert();
    if (!n) n = session_->baum().topitem();
    if (!n) return; // an empty tree has no profile
    tmylistitem* kopf = strangKopf(n);
    if (kopf != session_->selektiert() && !pufferVerlassen()) return;
    // The line head is shown while its profile is open.
    session_->auswaehlen(kopf);
    verlaufform_->zeigen(kopf);
    zustandZeigen();
}

void Tk_DVform::Kopieren1Click() {
    if (session_->rechnungLaeuft()) return;
    kopierform_->zeigen();
}

} // namespace zephan
