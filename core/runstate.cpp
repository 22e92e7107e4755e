#include "core/runstate.h"

#include "qwellib/dialogs.h"

namespace mintor {

using namespace qwel;

void set_period(Core& core, Date from, Date to) {
    core.run.from = from;
    core.run.to = to;
    core.run.from_int = date_to_int(from);
    core.run.to_int = date_to_int(to);
}

void set_rebalance_needed(Core& core, bool flag) {
    if (flag && core.run.rebal_in_progress) return;
    core.run.rebal_needed = flag;
    show_rebal_state(core);
}

void set_reset_paths(Core& core) {
    core.settings.reset_paths = true;
    set_rebalance_needed(core, true);
}

void show_rebal_state(Core& core) {
    core.view.from_lbl = with_today_mark(core.run.from);
    core.view.to_lbl = with_today_mark(core.run.to);
    core.run.remembered_day = today();
    if (core.run.rebal_needed) {
        core.view.panel3_caption = QStringLiteral(" Rebalance needed");
        core.view.panel3_colour = kColourYellow;
    } else {
        core.view.panel3_caption.clear();
        core.view.panel3_colour = kColourSilver;
    }
    core.view_changed();
}

bool day_changed(const Core& core) { return !(today() == core.run.remembered_day); }

void calc_dormant_date(Core& core) {
    core.run.dormant_date = date_to_int(days_before(today(), core.settings.dormant_after));
}

namespace {
void paint_status(Core& core, const QString& shown) {
    if (shown.isEmpty()) {
        core.view.panel3_caption = QStringLiteral(" ");
        core.view.panel3_colour = kColourSilver;
    } else {
        core.view.panel3_caption = QStringLiteral(" ") + shown + QStringLiteral(" ");
        core.view.panel3_colour = kColourPaleCyan;
    }
    core.view_changed();
    process_events();
}
}  // namespace

void show_status(Core& core, const QString& text) {
    core.run.last_status = text;
    paint_status(core, text);
}

void show_status_more(Core& core, const QString& text) {
    paint_status(core, core.run.last_status + QStringLiteral(" ") + text);
}

}  // namespace mintor
