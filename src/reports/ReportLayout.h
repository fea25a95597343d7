#pragma once
// Lays a report out into pages: walks the master dataset (and each sub-list per master row),
// prints every band where it fits and starts a new page where it does not. The master's
// current row is the same afterwards as before.
#include "reports/Report.h"
#include "reports/ReportDocument.h"

namespace rpt {

ReportDocument layoutReport(const Report& report);

} // namespace rpt
