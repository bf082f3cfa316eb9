#pragma once

namespace zephan {

class TDruck;
struct Druckverlauf;

// The profile as a report: a headline with the line and the chain end, the chart of the
// static, dynamic and total pressure as a diagram block over the point numbers, and the table
// of the points. Appended to the document as it stands (the caller clears it and writes the
// project head).
void verlaufBericht(TDruck& druck, const Druckverlauf& v);

} // namespace zephan
