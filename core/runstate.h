#pragma once
// The run state every part of the program reads and sets: the period, the
// rebalance-needed and reset-paths flags, the dormant date and the status line.

#include "core/core.h"

namespace mintor {

constexpr unsigned kColourSilver = 0xC0C0C0;
constexpr unsigned kColourYellow = 0xFFFF00;
constexpr unsigned kColourPaleCyan = 0x80FFFF;

void set_period(Core& core, qwel::Date from, qwel::Date to);
void set_rebalance_needed(Core& core, bool flag);
void set_reset_paths(Core& core);
void show_rebal_state(Core& core);
void calc_dormant_date(Core& core);
void show_status(Core& core, const QString& text);
void show_status_more(Core& core, const QString& text);
// True when today differs from the day the period panel last showed (the day-change timer).
bool day_changed(const Core& core);

}  // namespace mintor
