// Arbitrary bytes read as a sectioned file and loaded as a tree: the load either succeeds with
// a well-formed tree or refuses with a message and leaves the previous tree as it was.

#include "network/tree_container.h"
#include "store/ini_file.h"

#include <QByteArray>
#include <cstdint>
#include <cstdlib>

using namespace zephan;

namespace {

[[noreturn]] void fault() {
    std::abort();
}

void checkTree(const tMylistviewBase& view) {
    int i = 0;
    for (tmylistitem* n = view.topitem(); n; n = n->getNext(), ++i) {
        if (n->Index() != i) fault();
        tmylistitem* p = n->parent();
        if (n->Level() != (p ? p->Level() + 1 : 0)) fault();
        if (p && p->isAncestorOf(n) == false) fault();
        if (n->hasChildren() && n->getChild() != n->getNext()) fault();
        tmylistitem* s = n->getNextSibling();
        if (s && (s->parent() != p || s->getPrevSibling() != n)) fault();
    }
    if (i != view.count()) fault();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TIniFile2 ini;
    if (!ini.loadFromBytes(
            QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size))))
        return 0;

    Tmylistview view;
    int lebend = 0;
    view.OnItemAdd = [&](tmylistitem*) { ++lebend; };
    view.OnItemDelete = [&](tmylistitem*) { --lebend; };
    tmylistitem* alt = view.AddChild(view.Add(QStringLiteral("Alt")), QStringLiteral("Kind"));
    view.OnItemLoad = [](TIniFile2& f, const QString& section, tmylistitem* n) {
        n->setCaption(f.ReadString(section, QStringLiteral("text")));
        n->setText(1, f.ReadString(section, QStringLiteral("Typ")));
    };

    const bool adding = size > 0 && (data[0] & 1);
    if (view.LoadFromIniFile(ini, QString(), adding)) {
        if (view.lastError().size() != 0) fault();
        if (adding && view.item(1) != alt) fault();
    } else {
        if (view.lastError().isEmpty() || view.count() != 2 || view.item(1) != alt) fault();
    }
    checkTree(view);
    if (lebend != view.count()) fault();

    // Write it back and read it again: the same shape.
    TIniFile2 zurueck;
    view.SaveToInifile(zurueck);
    Tmylistview wieder;
    if (!wieder.LoadFromIniFile(zurueck)) fault();
    if (wieder.count() != view.count()) fault();
    for (tmylistitem *a = view.topitem(), *b = wieder.topitem(); a;
         a = a->getNext(), b = b->getNext())
        if (a->position() != b->position()) fault();
    return 0;
}
