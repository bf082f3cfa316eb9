#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

namespace zephan {

// The name of the pass that takes every component without a known group.
inline const QString gruppeUnbekannt = QStringLiteral("unbekannt");

// The group passes of the bill of quantities and the normalisation of a component's group.
class MassenGruppen {
public:
    // Without groups one pass "unbekannt" takes every component. With groups: "unbekannt",
    // then every non-empty trimmed line of the memo in its order; a line that is already a
    // pass is not a second one, so no component is counted twice.
    MassenGruppen(const QString& memo, bool mitGruppen);

    const QStringList& namen() const { return namen_; }
    bool mitGruppen() const { return mitGruppen_; }

    // A component's group as the passes know it: empty stays empty; a memo line stays; a text
    // equal to a memo line when both are upper-cased becomes the line's spelling; anything
    // else becomes empty.
    QString normalisiert(const QString& gruppe) const;
    // The pass that counts a component of this group; -1 for none (never with groups off).
    int pass(const QString& gruppe) const;

private:
    QStringList namen_;
    bool mitGruppen_;
    QHash<QString, int> genau_; // memo line -> pass
    QHash<QString, int> gross_; // upper-cased memo line -> pass of its first spelling
};

} // namespace zephan
