#pragma once

#include <QByteArray>

namespace zephan {

struct Massenauszug;

// The bill of quantities for a spreadsheet or an estimating program: UTF-8 with a byte order
// mark, ";" between fields, CR LF after every record, decimal comma without thousands
// separators, the head "Gruppe;Abschnitt;Bezeichnung;Menge;Einheit" and one record per item in
// report order. A field holding ";", a quote or a line break is quoted, its quotes doubled.
QByteArray massenCsv(const Massenauszug& m);

} // namespace zephan
