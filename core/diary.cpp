#include "core/diary.h"

#include "core/abandon.h"
#include "core/posting.h"
#include "core/txn_write.h"
#include "core/txnrows.h"

namespace mintor {

bool write_diary_entry(Core& core, qwel::Date date, const QString& text, TTxn* out) {
    TTxn rec;
    init_txn(core, rec);
    rec.type = QLatin1Char('D');
    rec.txndate = date;
    rec.actualtxndate = date;
    rec.narrative = text.left(40);
    rec.ccy = core.run.base_ccy;
    const UnitResult r = run_abandonable(core, [&] {
        if (!write_txn(core, rec)) throw Abandon{};
        post_txn(core, rec);
    });
    if (r != UnitResult::Done) return false;
    if (out) *out = rec;
    return true;
}

}  // namespace mintor
