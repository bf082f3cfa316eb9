#pragma once

namespace zephan {

// The desktop program: start-up in the program's order (German translations, tables,
// settings, catalogue, main window, last project or the example), then the event loop.
// `zephan --screenshot OUT.png [FILE]` renders the main window on FILE (default: the example)
// with the first line selected into a PNG and exits; `--report-screenshot OUT.png [FILE]` does
// the same for the report window after F7.
int programmAusfuehren(int argc, char** argv);

} // namespace zephan
