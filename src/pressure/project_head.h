#pragma once

namespace zephan {

class TDruck;
struct ProjektDaten;

// The project head of the calculation reports and the bill of quantities: the planning
// office (company, street and place) in line 1, the project number and the editor in line 2,
// the building project and its place in line 3. The foot stays as it is.
void druckkopf(TDruck& druck, const ProjektDaten& projekt);

} // namespace zephan
