// The one font of every window of the programs.
#pragma once

#include <QFont>

namespace window_common {

// Liberation Sans at 11 pixels, bundled with the programs: as wide as the layouts were drawn
// for, and the same on every machine, whatever fonts it has installed.
QFont WindowFont();

}  // namespace window_common
