#include "app/tree_columns.h"

#include "network/catalogue.h"
#include "network/model_queries.h"
#include "network/network_tree.h"
#include "network/type_codes.h"
#include "store/ini_file.h"
#include "store/number_format.h"

namespace zephan {

int BaumSpalten::columnCount(const QModelIndex& parent) const {
    return parent.column() > 0 ? 0 : int(Anzahl);
}

QString BaumSpalten::text(const tmylistitem* node, int spalte) const {
    const DVdata* d = nodeDaten(node);
    if (!d || istStrangTyp(d->typ) || d->typ == typAbzweig) return QString();
    switch (spalte) {
    case Mass: {
        // The inlet size the catalogue names, as a rectangle or a diameter.
        const tBasisDaten_* k = basisDaten(d->typ);
        if (!k || d->typ == typRaum || k->eina < 0 || k->eina >= int(d->i.size()) ||
            d->i[k->eina] <= 0)
            return QString();
        const auto mm = [](double x) { return QString::number(static_cast<long long>(x)); };
        const double a = d->i[k->eina];
        const double b = k->einb >= 0 && k->einb < int(d->i.size()) ? d->i[k->einb] : -1;
        if (b > 0 && (d->eckig || d->typ == typKanal)) return mm(a) + QStringLiteral("×") + mm(b);
        return QStringLiteral("⌀ ") + mm(a);
    }
    case Volumenstrom: {
        const int q = volumenstrom(basisDatenTabelle(), node);
        return q < 0 ? QString() : formatVolumenstrom(q);
    }
    case Geschwindigkeit:
        return d->p[0];
    case Zeta:
        return d->typ == typKanal || d->typ == typRohr ? QString() : d->p[1];
    case Druckverlust: {
        const auto it = dp_.constFind(node);
        return it == dp_.constEnd() ? QString() : formatZahl(*it, 1);
    }
    default:
        return QString();
    }
}

QVariant BaumSpalten::data(const QModelIndex& index, int role) const {
    const tmylistitem* n = knoten(index);
    if (!n) return {};
    if (role == Qt::ToolTipRole) {
        const QString problem = nodeProblem(basisDatenTabelle(), n);
        return problem.isEmpty() ? QVariant()
                                 : QVariant(n->position() + QStringLiteral(": ") + problem);
    }
    if (index.column() == Aufbau) return BaumModell::data(index, role);
    if (role == Qt::DisplayRole) return text(n, index.column());
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
    return {};
}

QVariant BaumSpalten::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    switch (section) {
    case Aufbau:
        return QStringLiteral("Aufbau");
    case Mass:
        return QStringLiteral("Maß [mm]");
    case Volumenstrom:
        return QStringLiteral("V [m³/h]");
    case Geschwindigkeit:
        return QStringLiteral("v [m/s]");
    case Zeta:
        return QStringLiteral("ζ");
    case Druckverlust:
        return QStringLiteral("Δp [Pa]");
    default:
        return {};
    }
}

void BaumSpalten::setDruckverluste(QHash<const tmylistitem*, double> dp) {
    dp_ = std::move(dp);
    if (rowCount() > 0)
        emit dataChanged(index(0, Druckverlust), index(rowCount() - 1, Druckverlust));
    // Rows below the top level are asked again when the view paints them.
    emit headerDataChanged(Qt::Horizontal, Druckverlust, Druckverlust);
}

void BaumSpalten::eingefuegt(tmylistitem* node) {
    dp_.clear();
    BaumModell::eingefuegt(node);
}

void BaumSpalten::entfernt(tmylistitem* parent, int row) {
    dp_.clear();
    BaumModell::entfernt(parent, row);
}

void BaumSpalten::geaendert(tmylistitem* node) {
    // A changed record changes flows and losses along its line: the old values would lie.
    dp_.clear();
    BaumModell::geaendert(node);
}

void BaumSpalten::zurueckgesetzt() {
    dp_.clear();
    BaumModell::zurueckgesetzt();
}

QList<int> spaltenLesen(const TIniFile2& ini) {
    QList<int> r;
    const QStringList teile =
        ini.ReadString(QStringLiteral("ProgrammDV"), QStringLiteral("Spalten"))
            .split(QLatin1Char(','), Qt::SkipEmptyParts);
    for (const QString& t : teile) {
        bool ok = false;
        const int b = t.trimmed().toInt(&ok);
        r << (ok ? qBound(0, b, 2000) : -1);
    }
    return r;
}

void spaltenSchreiben(TIniFile2& ini, const QList<int>& breiten) {
    QStringList t;
    for (int b : breiten) t << QString::number(b);
    ini.WriteString(QStringLiteral("ProgrammDV"), QStringLiteral("Spalten"),
                    t.join(QLatin1Char(',')));
}

} // namespace zephan
