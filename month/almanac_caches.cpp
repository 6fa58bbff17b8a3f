#include "month/almanac_caches.h"

#include "astro/close_events.h"
#include "astro/longitude_memo.h"
#include "month/close_calls.h"
#include "month/year_tables.h"

namespace kalendo {

void ForgetAlmanacCaches() {
    ForgetYearTables();
    ForgetCloseCalls();
    ForgetCloseEvents();
    ForgetAstroMemo();
}

}  // namespace kalendo
